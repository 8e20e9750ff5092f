// The uninstaller's window asks before anything is removed: Enter confirms; once removing,
// nothing closes it until it fails, or until it has said how many of the player's files it kept.
#include "FrmUninstall.h"

#include <QLabel>
#include <QTest>

class FrmUninstallTest : public QObject {
    Q_OBJECT

private slots:
    void enterRemovesTheGamesListedAndNothingClosesTheWindowUntilItFails() {
        korvo::FrmUninstall window({"Korvo's One", "Korvo's Two"}, "/games");
        int removals = 0;
        window.onRemove = [&removals] { ++removals; };
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.windowTitle().contains("Korvo's"));
        QVERIFY(window.findChild<QLabel*>("lbl_Message")->text().contains("Korvo's Two"));
        QTest::keyClick(&window, Qt::Key_Return);
        QTest::keyClick(&window, Qt::Key_Escape);
        QVERIFY(window.isVisible() && removals == 1);
        window.showFailure("Some files of Korvo's One could not be removed.");
        QVERIFY(window.findChild<QLabel*>("lbl_Message")->text().contains("could not be removed"));
        QTest::keyClick(&window, Qt::Key_Return);
        QVERIFY(!window.isVisible());
    }

    void removedSaysHowManyOfThePlayersFilesWereKept() {
        korvo::FrmUninstall window({"Korvo's One"}, "/games");
        window.show();
        window.showRemoved(2);
        QVERIFY(window.findChild<QLabel*>("lbl_Message")->text().contains("2 files you changed"));
        QTest::keyClick(&window, Qt::Key_Return);
        QVERIFY(!window.isVisible());
    }
};

QTEST_MAIN(FrmUninstallTest)
#include "FrmUninstallTest.moc"
