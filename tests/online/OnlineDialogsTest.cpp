// The launcher's other windows on a private X server: each is modal and owned by the main
// window; once closed it is gone from the display, not only hidden, and the main window has the
// keys again.
#include "OnlineDialogs.h"
#include "OnlineFixture.h"
#include "XWindowFinder.h"

#include <QtTest>

class OnlineDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void window_isOwnedAndGoneOnceClosed_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("close"); // the button or the key that closes it
        QTest::newRow("new releases") << QString("frm_New") << QString("cmd_Close");
        QTest::newRow("information page") << QString("frm_Blab") << QString("Escape");
        QTest::newRow("about box") << QString("frm_About") << QString("Enter");
    }
    void window_isOwnedAndGoneOnceClosed() {
        QFETCH(QString, name);
        QFETCH(QString, close);
        testing::OnlineFixture f;
        f.frmMain.activateWindow();
        QTRY_VERIFY(f.frmMain.isActiveWindow());
        korvo::XWindowFinder finder;
        launcher::OnlineDialogs dialogs(f.setup);
        dialogs.setOwner(&f.frmMain);
        if (name == "frm_New") {
            dialogs.ShowNewReleases();
        } else if (name == "frm_Blab") {
            const QString picture = f.dir.filePath("Korvo's Vorpa.png");
            QImage(99, 70, QImage::Format_RGB32).save(picture);
            dialogs.ShowGameInfo({"Korvo's Vorpa", picture.toStdString(), "", "A story."});
        } else {
            dialogs.ShowAbout();
        }
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal != nullptr);
        QCOMPARE(modal->objectName(), name);
        QCOMPARE(modal->parentWidget(), &f.frmMain);
        const auto shown = static_cast<korvo::WindowId>(modal->winId());
        QTRY_VERIFY(finder.IsWindow(shown));
        if (auto* story = modal->findChild<QLabel*>("lbl_Story")) {
            QCOMPARE(modal->windowTitle(), QString("Korvo's Vorpa"));
            QCOMPARE(story->text(), QString("A story."));
            QVERIFY(!modal->findChild<QLabel*>("pb_ScreenDump")->pixmap().isNull());
        }
        if (auto* button = modal->findChild<QAbstractButton*>(close)) {
            button->click();
        } else {
            QTest::keyClick(modal, close == "Escape" ? Qt::Key_Escape : Qt::Key_Return);
        }
        // Closed, it is gone from the display, not only hidden, and the keys go to the main
        // window again.
        QTRY_VERIFY(!finder.IsWindow(shown));
        QTRY_VERIFY(f.frmMain.findChild<QDialog*>() == nullptr);
        QTRY_VERIFY(f.frmMain.isActiveWindow());
    }
};

QTEST_MAIN(OnlineDialogsTest)
#include "OnlineDialogsTest.moc"
