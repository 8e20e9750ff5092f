// The setup window: Cancel (or Escape, or the close button) asks the work to stop and never
// closes the window under it; once failed, the reason shows and Enter or Escape closes it.
#include "FrmSetup.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

class FrmSetupTest : public QObject {
    Q_OBJECT

private slots:
    void cancelWhileWorkingAsksOnceAndKeepsTheWindow() {
        korvo::FrmSetup window;
        int cancels = 0;
        window.onCancel = [&cancels] { ++cancels; };
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::keyClick(&window, Qt::Key_Escape);
        window.close(); // the title bar's close button
        QTest::mouseClick(window.findChild<QPushButton*>("cmd_Close"), Qt::LeftButton);
        QVERIFY(window.isVisible());
        QCOMPARE(cancels, 1);
    }

    void failureShowsWhyAndEnterOrEscapeCloses() {
        for (const QString game : {"Korvo's Zeltrix", ""}) { // known before the failure, or not
            korvo::FrmSetup window;
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            if (!game.isEmpty()) {
                window.showGame(game);
            }
            window.showFailure("The disk is full.");
            const QString what = game.isEmpty() ? "Nothing was" : game + " was not";
            QCOMPARE(window.findChild<QLabel*>("lbl_Status")->text(),
                     what + " installed.\n\nThe disk is full.");
            QVERIFY(window.windowTitle().startsWith(game.isEmpty() ? "Korvo's" : game));
            QTest::keyClick(&window, game.isEmpty() ? Qt::Key_Escape : Qt::Key_Return);
            QVERIFY(!window.isVisible() && window.result() == QDialog::Rejected);
        }
    }
};

QTEST_MAIN(FrmSetupTest)
#include "FrmSetupTest.moc"
