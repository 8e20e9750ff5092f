// The start-up logo: the wait for the first start's installation, the rolling coin, the maker's
// name spelt out, the timer's pace and the hand-over to the main window.
#include "Logo.h"
#include "LauncherFixture.h"

#include <QLockFile>
#include <QtTest>

using Strings = std::vector<std::string>;

class LogoTest : public QObject {
    Q_OBJECT
private slots:
    void makerNameIsSpeltOutAsTheTableGivesIt() {
        QCOMPARE(launcher::MakeCaptionFrames("Zandolfic Software"),
                 (Strings{"d", "do", "dol", "dolf", "dolfi", "dolfic", "dolfic Z", "dolfic Za",
                          "dolfic Zan", "dolfic Zan    S", "dolfic Zan    So", "dolfic Zan    Sof",
                          "dolfic Zan    Soft", "Zdolfic an    Softw", "Zadolfic n    Softwar",
                          "Zan dolfic    Software", "Zandolfic Software"}));
    }

    void introWaitsForTheFirstStartsInstallation_data() {
        QTest::addColumn<QString>("start");
        QTest::newRow("first start") << "first";
        QTest::newRow("later start: the intro at once") << "later";
        QTest::newRow("another launcher installs") << "locked";
    }
    void introWaitsForTheFirstStartsInstallation() {
        QFETCH(QString, start);
        LauncherFixture f;
        launcher::Logo logo{{f.player, f.sound, f.installation, f.catalogue}};
        const std::string shipped = f.component(f.app + "/add/components.cmp");
        if (start == "later") {
            f.install("Korvo's Zeltrix");
        }
        QLockFile other(f.components.chopped(1) + ".lock");
        QVERIFY(start != "locked" || other.tryLock(0));
        logo.Form_Load();
        for (int tick = 0; tick < 20; ++tick) { // however long it takes
            f.timers.tick();
        }
        QCOMPARE(logo.form().Visible, start == "later");
        QCOMPARE(f.programs.started.size(), std::size_t(start == "first" ? 1 : 0));
        if (start == "first") {
            QCOMPARE(f.programs.started[0].path, shipped);
            QCOMPARE(f.programs.started[0].arguments,
                     Strings{f.components.chopped(1).toStdString()});
            f.programs.end(0);
        } else if (start == "locked") {
            other.unlock();
            f.timers.tick();
        }
        QVERIFY(logo.form().Visible && logo.form().t_CoinEnabled && !f.timers.anyActive());
        QCOMPARE(f.player.fileName, korvo::dataPath("intro1.mid"));
    }

    void coinRollsInAndTheMainWindowShowsAfterFourSecondsAndAQuarter() {
        LauncherFixture f;
        launcher::Logo logo{{f.player, f.sound, f.installation, f.catalogue}};
        bool visibleAtHandOver = true;
        logo.showMain = [&] { visibleAtHandOver = logo.form().Visible; };
        logo.Form_Load();
        const launcher::LogoForm& form = logo.form();
        int waited = 0;
        int ticks = 0;
        while (form.t_CoinEnabled && ticks < 100) {
            waited += form.t_CoinInterval;
            logo.t_Coin_Timer();
            ++ticks;
            const korvo::Control& coin = form.pb_Coin[static_cast<std::size_t>(logo.Frame())];
            // 18 steps of 250 twips, then the coin at rest is painted on the background.
            QCOMPARE(coin.Left, -3570 + 250 * std::min(ticks, 18));
            QCOMPARE(coin.Visible, ticks <= 18);
            QCOMPARE(form.Background.size(), std::size_t(ticks > 18 ? 1 : 0));
        }
        const launcher::Stamp rest{korvo::dataPath("coin rest.gif"), 930, 915};
        QCOMPARE(form.Background, std::vector<launcher::Stamp>{rest});
        QCOMPARE(ticks, 61);
        QCOMPARE(waited, 4250);    // 24 waits of 100 ms, then 37 of 50 ms
        QCOMPARE(logo.Tick(), 60); // the last tick does not count itself
        QVERIFY(!visibleAtHandOver && !form.Visible);
    }
};

QTEST_GUILESS_MAIN(LogoTest)
#include "LogoTest.moc"
