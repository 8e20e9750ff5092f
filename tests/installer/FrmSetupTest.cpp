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
    void titleNamesTheGameOnceKnown() {
        korvo::FrmSetup window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowTitle(), QString("Korvo's Game Components Setup"));
        window.showGame("Korvo's Zeltrix");
        QCOMPARE(window.windowTitle(), QString("Korvo's Zeltrix Setup"));
        window.showProgress(250, 1000);
        QCOMPARE(window.findChild<QProgressBar*>("bar_Progress")->value(), 250);
    }

    void cancelWhileWorkingAsksOnceAndKeepsTheWindow() {
        korvo::FrmSetup window;
        int cancels = 0;
        window.onCancel = [&cancels] { ++cancels; };
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::keyClick(&window, Qt::Key_Escape);
        QVERIFY(window.isVisible());
        window.close(); // the title bar's close button
        QVERIFY(window.isVisible());
        QTest::mouseClick(window.findChild<QPushButton*>("cmd_Close"), Qt::LeftButton);
        QCOMPARE(cancels, 1);
    }

    void failureShowsWhyAndEnterCloses() {
        korvo::FrmSetup window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.showGame("Korvo's Zeltrix");
        window.showFailure("The disk is full.");
        const QString text = window.findChild<QLabel*>("lbl_Status")->text();
        QVERIFY(text.contains("Korvo's Zeltrix was not installed."));
        QVERIFY(text.contains("The disk is full."));
        QVERIFY(window.windowTitle().contains("Korvo's"));
        QCOMPARE(window.findChild<QPushButton*>("cmd_Close")->text(), QString("Close"));
        QTest::keyClick(&window, Qt::Key_Return);
        QVERIFY(!window.isVisible());
        QCOMPARE(window.result(), int(QDialog::Rejected));
    }

    void failureBeforeTheGameIsKnownSaysNothingWasInstalled() {
        korvo::FrmSetup window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.showFailure("Not signed.");
        QVERIFY(
            window.findChild<QLabel*>("lbl_Status")->text().startsWith("Nothing was installed."));
        QTest::keyClick(&window, Qt::Key_Escape);
        QVERIFY(!window.isVisible());
    }
};

QTEST_MAIN(FrmSetupTest)
#include "FrmSetupTest.moc"
