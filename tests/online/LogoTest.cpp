// The start-up logo driven tick by tick: the first-start wait for the shipped installer, the
// rolling coin, the growing captions, the maker's name spelt out, the timer's pace and the
// hand-over to the main window.
#include "Logo.h"
#include "InstallFixture.h"
#include "LauncherFakes.h"
#include "Pack.h"
#include "Signing.h"

#include <QtTest>

#include <algorithm>
#include <numeric>
#include <set>

namespace {

// The logo over fakes in a temporary installation whose add/ may hold a signed components.cmp.
struct Fixture : InstallFixture {
    explicit Fixture(bool shipped = false) {
        write(app + "/add/uninstall components.exe", "uninstaller");
        if (shipped) {
            const QString setup = root.path() + "/setup.sh";
            write(setup, "#!/bin/sh\n");
            korvo::writeComponent(setup.toStdString(), "archive", keys.secretKey,
                                  (app + "/add/components.cmp").toStdString());
        }
        logo.showMain = [this] {
            ++mainShown;
            logoVisibleAtHandOver = logo.form().Visible;
        };
        screen.onEvents = [this] { ticksWithEvents.insert(logo.Tick()); };
    }
    // Runs t_Coin until it stops (at most 100 ticks); the intervals it waited.
    std::vector<int> runAnimation() {
        std::vector<int> waits;
        for (int i = 0; i < 100 && logo.form().t_CoinEnabled; ++i) {
            waits.push_back(logo.form().t_CoinInterval);
            logo.t_Coin_Timer();
        }
        return waits;
    }

    korvo::KeyPair keys = korvo::generateKeyPair();
    fakes::FakePlayer player;
    korvo::SoundBoard sound{player};
    fakes::FakeWindowFinder windows;
    fakes::FakeScreen screen;
    fakes::FakeShell shell;
    fakes::FakeMessages messages;
    fakes::FakeUninstallEntry entry;
    launcher::Catalogue catalogue;
    launcher::Installation installation{{shell, messages, entry}, catalogue, keys.publicKey};
    launcher::Logo logo{{player, sound, windows, screen, installation, catalogue}};
    int mainShown = 0;
    bool logoVisibleAtHandOver = true;
    std::set<int> ticksWithEvents;
};

// The captions as the table gives them, "·" for a blank.
const std::vector<std::string> kTable = {
    "d",
    "do",
    "dol",
    "dolf",
    "dolfi",
    "dolfic",
    "dolfic·Z",
    "dolfic·Za",
    "dolfic·Zan",
    "dolfic·Zan····S",
    "dolfic·Zan····So",
    "dolfic·Zan····Sof",
    "dolfic·Zan····Soft",
    "Zdolfic·an····Softw",
    "Zadolfic·n····Softwar",
    "Zan·dolfic····Software",
    "Zandolfic·Software",
};

std::string blanks(std::string text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "\u00b7") == 0) {
            out += ' ';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

class LogoTest : public QObject {
    Q_OBJECT
private slots:
    void makerNameIsSpeltOutAsTheTableGivesIt();
    void firstStartWaitsHiddenForTheShippedInstaller();
    void laterStartPlaysTheIntroAtOnce();
    void coinRollsInEighteenStepsAndComesToRest();
    void captionsGrowAndShowOnTheirTicks();
    void pickUpPaceAtTick23AndHandOverAtTick60();
};

void LogoTest::makerNameIsSpeltOutAsTheTableGivesIt() {
    std::vector<std::string> table;
    std::transform(kTable.begin(), kTable.end(), std::back_inserter(table), blanks);
    QCOMPARE(launcher::MakeCaptionFrames("Zandolfic Software"), table);
}

void LogoTest::firstStartWaitsHiddenForTheShippedInstaller() {
    Fixture f(true);
    QDir(f.components).removeRecursively();
    f.logo.Form_Load();
    QCOMPARE(f.catalogue.ComponentsDir(), f.components.toStdString());
    QCOMPARE(f.shell.started,
             std::vector<std::string>{(f.app + "/add/components.cmp").toStdString()});
    QVERIFY(!f.logo.form().Visible);
    QVERIFY(f.logo.form().t_AInstall_PauseEnabled);
    QVERIFY(!f.logo.form().t_CoinEnabled);

    f.logo.t_AInstall_Pause_Timer(); // a second later
    QVERIFY(!f.logo.form().t_AInstall_PauseEnabled);
    QVERIFY(f.logo.form().t_AInstall_RefreshEnabled);
    // The installer's window holds the logo back; a help window does not.
    f.windows.windows = {{1, "Korvo's Help"}, {2, "Korvo's Zeltrix Setup"}};
    f.logo.t_AInstall_Refresh_Timer();
    f.logo.t_AInstall_Refresh_Timer();
    QVERIFY(!f.logo.form().Visible);
    QVERIFY(f.player.commands.empty());
    f.windows.windows = {{1, "Korvo's Help"}};
    f.logo.t_AInstall_Refresh_Timer();
    QVERIFY(!f.logo.form().t_AInstall_RefreshEnabled);
    QVERIFY(f.logo.form().Visible);
    QVERIFY(f.logo.form().t_CoinEnabled);
    QCOMPARE(f.player.fileName, (f.app + "/add/intro1.mid").toStdString());
}

void LogoTest::laterStartPlaysTheIntroAtOnce() {
    Fixture f(true);
    f.install("Korvo's Zeltrix");
    f.logo.Form_Load();
    QVERIFY(f.shell.started.empty());
    QVERIFY(!f.logo.form().t_AInstall_PauseEnabled);
    QVERIFY(f.logo.form().Visible);
    QVERIFY(f.logo.form().t_CoinEnabled);
    QCOMPARE(f.logo.form().t_CoinInterval, 100);
    // The tune is forced: it starts over whatever played.
    QCOMPARE(f.player.commands, (std::vector<std::string>{"Close", "Open", "Play"}));
    QCOMPARE(f.player.fileName, (f.app + "/add/intro1.mid").toStdString());
    QCOMPARE(f.logo.form().FontSize[0], 1.0);
    QCOMPARE(f.logo.form().FontSize[1], 1.0);
}

void LogoTest::coinRollsInEighteenStepsAndComesToRest() {
    Fixture f;
    f.install("Korvo's Zeltrix");
    f.logo.Form_Load();
    const auto& coins = f.logo.form().pb_Coin;
    for (int tick = 0; tick <= 17; ++tick) {
        f.logo.t_Coin_Timer();
        const int frame = (tick + 1) % 6; // frames 1, 2, 3, 4, 5, 0 in turn
        QCOMPARE(f.logo.Frame(), frame);
        for (int i = 0; i < 7; ++i) {
            QCOMPARE(coins[i].Visible, i == frame);
        }
        QCOMPARE(coins[frame].Left, -3570 + 250 * (tick + 1));
        QCOMPARE(coins[frame].Top, 915);
    }
    QCOMPARE(coins[0].Left, 930);
    QVERIFY(f.logo.form().Background.empty());
    f.logo.t_Coin_Timer(); // tick 18
    for (const auto& coin : coins) {
        QVERIFY(!coin.Visible);
    }
    const launcher::Stamp rest{(f.app + "/add/coin rest.gif").toStdString(), 930, 915};
    QCOMPARE(f.logo.form().Background, std::vector<launcher::Stamp>{rest});
    f.runAnimation();
    QCOMPARE(f.logo.form().Background.size(), std::size_t(1));
}

void LogoTest::captionsGrowAndShowOnTheirTicks() {
    Fixture f;
    f.install("Korvo's Zeltrix");
    f.logo.Form_Load();
    const launcher::LogoForm& form = f.logo.form();
    QString trace; // tick: size 0, size 1, shown labels, caption 2
    for (int tick = 0; tick <= 40; ++tick) {
        f.logo.t_Coin_Timer();
        trace += QString("%1:%2,%3,%4%5%6,%7\n")
                     .arg(tick)
                     .arg(form.FontSize[0])
                     .arg(form.FontSize[1])
                     .arg(form.lbl_Product[0].Visible)
                     .arg(form.lbl_Product[1].Visible)
                     .arg(form.lbl_Product[2].Visible)
                     .arg(QString::fromStdString(form.lbl_Product[2].Caption));
    }
    const QStringList lines = trace.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines[10], QString("10:1,1,000,"));
    QCOMPARE(lines[11], QString("11:1,1,100,"));
    QCOMPARE(lines[12], QString("12:3,1,100,"));
    QCOMPARE(lines[16], QString("16:7,1,110,"));
    QCOMPARE(lines[17], QString("17:8,3,110,"));
    QCOMPARE(lines[22], QString("22:8,8,110,"));
    QCOMPARE(lines[23], QString("23:8,8,111,d"));
    QCOMPARE(lines[32], QString("32:8,8,111,dolfic Zan    S"));
    QCOMPARE(lines[39], QString("39:8,8,111,Zandolfic Software"));
    QCOMPARE(lines[40], QString("40:8,8,111,Zandolfic Software"));
    QVERIFY(form.lbl_Product2InFront);
    QCOMPARE(form.FontSize[2], 9.75);
}

void LogoTest::pickUpPaceAtTick23AndHandOverAtTick60() {
    Fixture f;
    f.install("Korvo's Zeltrix");
    f.logo.Form_Load();
    const std::vector<int> waits = f.runAnimation();
    QCOMPARE(waits.size(), std::size_t(61)); // ticks 0 to 60
    QVERIFY(std::all_of(waits.begin(), waits.begin() + 24, [](int ms) { return ms == 100; }));
    QVERIFY(std::all_of(waits.begin() + 24, waits.end(), [](int ms) { return ms == 50; }));
    QCOMPARE(std::accumulate(waits.begin(), waits.end(), 0), 4250);
    QCOMPARE(f.mainShown, 1);
    QVERIFY(!f.logoVisibleAtHandOver);
    QVERIFY(!f.logo.form().t_CoinEnabled);
    QCOMPARE(f.logo.Tick(), 60); // the last tick does not count itself
    // Every tick but the last lets events run.
    QCOMPARE(f.ticksWithEvents.count(59), std::size_t(1));
    QCOMPARE(f.ticksWithEvents.count(60), std::size_t(0));
    // The music plays on; the logo is only hidden.
    QVERIFY(std::find(f.player.commands.begin() + 3, f.player.commands.end(), "Close") ==
            f.player.commands.end());
}

QTEST_GUILESS_MAIN(LogoTest)
#include "LogoTest.moc"
