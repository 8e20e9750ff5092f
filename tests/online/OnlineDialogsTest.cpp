// The launcher's other windows: each is modal and owned by the main window; once closed it is
// destroyed, not only hidden, with the list's fetch, and the main window has the keys again.
#include "OnlineDialogs.h"
#include "OnlineFixture.h"

#include <QtTest>

class OnlineDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void window_isOwnedAndDestroyedOnceClosed_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("close"); // the button or the key that closes it
        QTest::newRow("new releases") << QString("frm_New") << QString("cmd_Close");
        QTest::newRow("information page") << QString("frm_Blab") << QString("Escape");
        QTest::newRow("about box") << QString("frm_About") << QString("Enter");
    }
    void window_isOwnedAndDestroyedOnceClosed() {
        QFETCH(QString, name);
        QFETCH(QString, close);
        testing::OnlineFixture f;
        f.frmMain.activateWindow();
        QTRY_VERIFY(f.frmMain.isActiveWindow());
        launcher::OnlineDialogs dialogs(f.setup);
        dialogs.setOwner(&f.frmMain);
        const QString picture = f.dir.filePath("Korvo's Vorpa.png");
        QImage(99, 70, QImage::Format_RGB32).save(picture);
        if (name == "frm_New") {
            dialogs.ShowNewReleases();
        } else if (name == "frm_Blab") {
            dialogs.ShowGameInfo({"Korvo's Vorpa", picture.toStdString(), "", "A story."});
        } else {
            dialogs.ShowAbout();
        }
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal != nullptr && modal->objectName() == name);
        QCOMPARE(modal->parentWidget(), &f.frmMain);
        QCOMPARE(f.http.waiting.expired(), name != "frm_New"); // the list is on its way
        if (auto* story = modal->findChild<QLabel*>("lbl_Story")) {
            QVERIFY(modal->windowTitle() == "Korvo's Vorpa" && story->text() == "A story.");
            QVERIFY(!modal->findChild<QLabel*>("pb_ScreenDump")->pixmap().isNull());
        }
        if (auto* button = modal->findChild<QAbstractButton*>(close)) {
            button->click();
        } else {
            QTest::keyClick(modal, close == "Escape" ? Qt::Key_Escape : Qt::Key_Return);
        }
        QTRY_VERIFY(f.frmMain.findChild<QDialog*>() == nullptr);
        QVERIFY(f.http.waiting.expired()); // the list's fetch goes with its window
        QTRY_VERIFY(f.frmMain.isActiveWindow());
    }
};

QTEST_MAIN(OnlineDialogsTest)
#include "OnlineDialogsTest.moc"
