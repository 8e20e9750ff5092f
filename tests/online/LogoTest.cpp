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

using Strings = std::vector<std::string>;

namespace {

// The logo over fakes, loaded in a temporary installation whose add/ holds a signed
// components.cmp; a later start (a game installed) unless told otherwise.
struct Fixture : InstallFixture {
    explicit Fixture(bool firstStart = false) {
        write(app + "/add/uninstall components.exe", "uninstaller");
        write(root.path() + "/setup.sh", "#!/bin/sh\n");
        korvo::writeComponent((root.path() + "/setup.sh").toStdString(), "archive", keys.secretKey,
                              (app + "/add/components.cmp").toStdString());
        if (firstStart) {
            QDir(components).removeRecursively();
        } else {
            install("Korvo's Zeltrix");
        }
        logo.showMain = [this] {
            ++mainShown;
            logoVisibleAtHandOver = logo.form().Visible;
        };
        screen.onEvents = [this] { ticksWithEvents.push_back(logo.Tick()); };
        logo.Form_Load();
    }
    std::string data(const char* name) const { return (app + "/add/" + name).toStdString(); }

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
    std::vector<int> ticksWithEvents;
};

} // namespace

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

    void firstStartWaitsHiddenForTheShippedInstaller() {
        Fixture f(true);
        const launcher::LogoForm& form = f.logo.form();
        QCOMPARE(f.shell.started, Strings{f.data("components.cmp")});
        f.logo.t_AInstall_Pause_Timer(); // a second later
        // The installer's window holds the logo back; a help window does not.
        f.windows.windows = {{1, "Korvo's Help"}, {2, "Korvo's Zeltrix Setup"}};
        f.logo.t_AInstall_Refresh_Timer();
        QVERIFY(!form.Visible && form.t_AInstall_RefreshEnabled && f.player.commands.empty());
        f.windows.windows = {{1, "KORVO'S HELP"}};
        f.logo.t_AInstall_Refresh_Timer();
        QVERIFY(!form.t_AInstall_RefreshEnabled && form.Visible && form.t_CoinEnabled);
    }

    void laterStartAnimatesOnItsTicksAndHandsOverAtTick60() {
        Fixture f;
        const launcher::LogoForm& form = f.logo.form();
        QVERIFY(f.shell.started.empty() && form.Visible);
        // The tune is forced: it starts over whatever played.
        QCOMPARE(f.player.commands, (Strings{"Close", "Open", "Play"}));
        QCOMPARE(f.player.fileName, f.data("intro1.mid"));
        // tick:wait|frame@left/top,coins shown|sizes of labels 0, 1|labels shown|caption 2
        QStringList trace;
        int waited = 0;
        while (form.t_CoinEnabled && trace.size() < 100) {
            const int wait = form.t_CoinInterval;
            waited += wait;
            f.logo.t_Coin_Timer();
            const auto& coin = form.pb_Coin[static_cast<std::size_t>(f.logo.Frame())];
            const auto shown = std::count_if(form.pb_Coin.begin(), form.pb_Coin.end(),
                                             [](const auto& c) { return c.Visible; });
            trace << QString::asprintf(
                "%d:%d|%d@%d/%d,%d|%g,%g|%d%d%d|%s", int(trace.size()), wait, f.logo.Frame(),
                coin.Left, coin.Top, int(shown), form.FontSize[0], form.FontSize[1],
                form.lbl_Product[0].Visible, form.lbl_Product[1].Visible,
                form.lbl_Product[2].Visible, form.lbl_Product[2].Caption.c_str());
        }
        // The coin rolls in 18 steps of 250 twips, frames 1, 2, 3, 4, 5, 0 in turn, and comes
        // to rest at tick 18; the labels show and grow; the captions spell out the maker.
        for (const char* line : {"0:100|1@-3320/915,1|1,1|000|", "10:100|5@-820/915,1|1,1|000|",
                                 "11:100|0@-570/915,1|1,1|100|", "12:100|1@-320/915,1|3,1|100|",
                                 "16:100|5@680/915,1|7,1|110|", "17:100|0@930/915,1|8,3|110|",
                                 "18:100|0@930/915,0|8,4|110|", "22:100|0@930/915,0|8,8|110|",
                                 "23:100|0@930/915,0|8,8|111|d", "24:50|0@930/915,0|8,8|111|do",
                                 "39:50|0@930/915,0|8,8|111|Zandolfic Software",
                                 "60:50|0@930/915,0|8,8|111|Zandolfic Software"}) {
            QCOMPARE(trace.value(QString(line).section(':', 0, 0).toInt()), QString(line));
        }
        QCOMPARE(trace.size(), 61);
        QCOMPARE(waited, 4250); // 24 waits of 100 ms, then 37 of 50 ms
        // The coin at rest stays painted on the background.
        const launcher::Stamp rest{f.data("coin rest.gif"), 930, 915};
        QCOMPARE(form.Background, std::vector<launcher::Stamp>{rest});
        QVERIFY(f.mainShown == 1 && !f.logoVisibleAtHandOver);
        QCOMPARE(f.logo.Tick(), 60);            // the last tick does not count itself
        QCOMPARE(f.ticksWithEvents.back(), 59); // every tick but the last lets events run
        // The music plays on; the logo is only hidden.
        QCOMPARE(f.player.commands, (Strings{"Close", "Open", "Play"}));
    }
};

QTEST_GUILESS_MAIN(LogoTest)
#include "LogoTest.moc"
