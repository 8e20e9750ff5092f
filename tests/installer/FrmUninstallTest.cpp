// The uninstaller's window asks before anything is removed: Enter confirms, Escape cancels.
#include "FrmUninstall.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

class FrmUninstallTest : public QObject {
    Q_OBJECT

private slots:
    void listsTheGamesAndEnterConfirms() {
        korvo::FrmUninstall window({"Korvo's One", "Korvo's Two"}, "/games");
        int removes = 0;
        window.onRemove = [&removes] { ++removes; };
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.windowTitle().contains("Korvo's"));
        const QString text = window.findChild<QLabel*>("lbl_Message")->text();
        QVERIFY(text.contains("Korvo's One") && text.contains("Korvo's Two"));
        QTest::keyClick(&window, Qt::Key_Return);
        QCOMPARE(removes, 1);
        // While removing nothing closes the window.
        QTest::keyClick(&window, Qt::Key_Escape);
        QVERIFY(window.isVisible());
        QVERIFY(!window.findChild<QPushButton*>("cmd_Cancel")->isEnabled());
    }

    void escapeCancelsWithoutRemoving() {
        korvo::FrmUninstall window({"Korvo's One"}, "/games");
        int removes = 0;
        window.onRemove = [&removes] { ++removes; };
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::keyClick(&window, Qt::Key_Escape);
        QVERIFY(!window.isVisible());
        QCOMPARE(window.result(), int(QDialog::Rejected));
        QCOMPARE(removes, 0);
    }

    void noGamesSaysSoAndOffersOnlyOk() {
        korvo::FrmUninstall window({}, "/games");
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.findChild<QLabel*>("lbl_Message")->text().contains("no installed games"));
        QVERIFY(!window.findChild<QPushButton*>("cmd_Remove")->isVisible());
        QTest::keyClick(&window, Qt::Key_Return);
        QVERIFY(!window.isVisible());
    }

    void failureIsShownWithAWayOut() {
        korvo::FrmUninstall window({"Korvo's One"}, "/games");
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.showWorking();
        window.showFailure("Some files of Korvo's One could not be removed.");
        QVERIFY(window.findChild<QLabel*>("lbl_Message")->text().contains("could not be removed"));
        QTest::keyClick(&window, Qt::Key_Return);
        QVERIFY(!window.isVisible());
    }
};

QTEST_MAIN(FrmUninstallTest)
#include "FrmUninstallTest.moc"
