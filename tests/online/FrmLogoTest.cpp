// The logo window: what it shows of the logic as it runs, its timer's pace, the
// hand-over to the main window and its unloading.
#include "FrmLogo.h"
#include "LauncherFixture.h"

#include <QLabel>
#include <QTimer>
#include <QtTest>

class FrmLogoTest : public QObject {
    Q_OBJECT
private slots:
    void showsTheAnimationAsTheLogicRunsItAndHidesBeforeTheMainWindow() {
        LauncherFixture place;
        place.install("Korvo's Zeltrix"); // a later start: the logo plays at once
        auto* player = new fakes::FakePlayer;
        launcher::FrmLogo window(std::unique_ptr<fakes::FakePlayer>(player), place.installation,
                                 place.catalogue);
        bool visibleAtHandOver = true;
        window.onShowMain = [&] { visibleAtHandOver = window.isVisible(); };
        window.Form_Load();
        auto* coin = window.findChild<QTimer*>("t_Coin");
        coin->stop(); // the test drives the ticks
        int ticks = 0;
        const auto tickUntil = [&](int tick) {
            for (; ticks < tick && window.logic().form().t_CoinEnabled; ++ticks) {
                window.logic().t_Coin_Timer();
                window.refresh();
            }
        };
        const auto label = [&](const char* name) { return window.findChild<QLabel*>(name); };

        QCOMPARE(coin->interval(), 100);
        tickUntil(24);
        QCOMPARE(coin->interval(), 50);
        QVERIFY(label("lbl_Product_2")->isVisible() && label("lbl_Product_2")->text() == "d");
        QCOMPARE(window.children().last(), label("lbl_Product_2")); // in front of everything else
        // It hides itself before the main window shows; unloading it stops the music.
        tickUntil(61);
        QVERIFY(!visibleAtHandOver && !window.isVisible() && !coin->isActive());
        window.unload();
        QCOMPARE(player->commands.back(), std::string("Close"));
    }
};

QTEST_MAIN(FrmLogoTest)
#include "FrmLogoTest.moc"
