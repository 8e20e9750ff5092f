// The uninstaller's window asks before anything is removed: Enter confirms; once removing,
// nothing closes it until it fails, or until it has said how many of the player's files it kept.
#include "FrmUninstall.h"

#include <QLabel>
#include <QTest>

class FrmUninstallTest : public QObject {
    Q_OBJECT

private slots:
    void enterRemovesTheGamesListedAndNothingClosesTheWindowUntilTheEnd() {
        for (const int kept : {-1, 2}) { // a failure, or two of the player's files kept
            korvo::FrmUninstall window({"Korvo's One", "Korvo's Two"}, "/games");
            int removals = 0;
            window.onRemove = [&removals] { ++removals; };
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            const QLabel* message = window.findChild<QLabel*>("lbl_Message");
            QVERIFY(message->text().contains("Korvo's Two"));
            QTest::keyClick(&window, Qt::Key_Return);
            QTest::keyClick(&window, Qt::Key_Escape);
            QVERIFY(window.isVisible() && removals == 1);
            if (kept < 0) {
                window.showFailure("Some files of Korvo's One could not be removed.");
            } else {
                window.showRemoved(kept);
            }
            QVERIFY(message->text().contains(kept < 0 ? "could not be removed"
                                                      : "2 files you changed"));
            QTest::keyClick(&window, Qt::Key_Return);
            QVERIFY(!window.isVisible());
        }
    }
};

QTEST_MAIN(FrmUninstallTest)
#include "FrmUninstallTest.moc"
