#include "StartedPrograms.h"
#include "LauncherFixture.h"

#include <QtTest>

class StartedProgramsTest : public QObject {
    Q_OBJECT
private slots:
    void clickOnAGameNotInstalledShowsItsPageAndNewGameOffersTheList() {
        LauncherFixture f;
        f.offer({"Korvo's Vorpa", "New Game"});
        f.view().RefreshGames(false); // then the new-games button
        for (const int button : {0, 1, 2}) {
            f.panel.programs().StartGame(button);
        }
        QCOMPARE(f.messages.texts(), Texts(2, launcher::kNewGamesQuestion));
        QVERIFY(f.dialogs.newReleases == 2 && f.dialogs.pages.size() == 1);
        const launcher::GameInfo& page = f.dialogs.pages[0];
        QCOMPARE(page.Caption + "|" + page.Picture + "|" + page.lb_Install + "|" + page.lbl_Story,
                 "Korvo's Vorpa|" + korvo::dataPath("Korvo's Vorpa.gif") +
                     "|Korvo's Vorpa has not been installed.|About Korvo's Vorpa.");
        QVERIFY(f.programs.started.empty());
    }

    void gameHidesTheLauncherUntilItsWindowHasGoneOrItHasEnded_data() {
        // The game's window: none, closed before the game ends, open until then; "-": no start.
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("failure"); // the start-failure message
        QTest::newRow("its window closes before it ends") << "closed" << 0 << false;
        QTest::newRow("it breaks down in the middle of a game") << "open" << 1 << false;
        QTest::newRow("fails before it has a window") << "" << 1 << true;
        QTest::newRow("ends well without a window") << "" << 0 << false;
        QTest::newRow("cannot start") << "-" << 0 << true;
    }
    void gameHidesTheLauncherUntilItsWindowHasGoneOrItHasEnded() {
        QFETCH(QString, window);
        QFETCH(int, status);
        QFETCH(bool, failure);
        LauncherFixture f;
        f.offer({"Korvo's Zeltrix"});
        f.install("korvo's zeltrix");
        f.panel.Form_Load();
        f.programs.startSucceeds = window != "-";
        f.panel.programs().StartGame(0);
        if (window == "-") {
            QVERIFY(f.form().Visible && f.messages.texts() == Texts{launcher::kStartFailure});
            return;
        }
        QCOMPARE(f.programs.started[0].path,
                 (f.components + "korvo's zeltrix/korvo's zeltrix.exe").toStdString());
        const long long pid = f.programs.started[0].pid;
        f.windows.windows.push_back({2, "Korvo's Zeltrix Help", pid}); // never taken for the game's
        if (!window.isEmpty()) {
            f.windows.windows.push_back({3, "KORVO'S ZELTRIX", pid});
        }
        for (int tick = 0; tick < 3; ++tick) {
            f.timers.tick();
        }
        QVERIFY(!f.form().Visible && !f.form().t_AnimateEnabled);
        if (window == "closed") {
            f.windows.windows.pop_back();
            f.timers.tick();
            QVERIFY(f.form().Visible); // before its process has ended
            // Played again at once: the first one's end does not bring the launcher back.
            f.panel.programs().StartGame(0);
            std::exchange(f.programs.started[0].ended, nullptr)({false, 1});
            QVERIFY(!f.form().Visible);
        }
        f.programs.end(status);
        QVERIFY(f.form().Visible && f.form().t_AnimateEnabled && !f.timers.anyActive());
        QCOMPARE(f.messages.texts(), failure ? Texts{launcher::kStartFailure} : Texts{});
    }

    void setupEndsWithItsProcessAndRebuildsTheView_data() {
        QTest::addColumn<bool>("removal"); // else the installation of a download
        QTest::addColumn<int>("status");   // negative: killed by that signal
        QTest::addColumn<QString>("message");
        QTest::newRow("installed") << false << 0 << "complete";
        QTest::newRow("failed, as it has said") << false << 1 << "";
        QTest::newRow("cancelled") << false << 2 << "";
        QTest::newRow("unknown status") << false << 3 << "error";
        QTest::newRow("killed") << false << -9 << "error";
        QTest::newRow("removal") << true << 0 << "";
    }
    void setupEndsWithItsProcessAndRebuildsTheView() {
        QFETCH(bool, removal);
        QFETCH(int, status);
        QFETCH(QString, message);
        LauncherFixture f;
        f.offer({"Korvo's Vorpa", "Korvo's Zeltrix"});
        f.install("Korvo's Vorpa");
        f.onDisk("uninstall components.exe");
        f.onDisk("KORVO003.CMP");
        f.view().RefreshGames(false); // the user looks at the other games: Zeltrix, New Game
        const std::string download = f.component(f.components + "korvo002.cmp");
        if (removal) {
            f.panel.programs().RemoveGames();
        } else {
            QVERIFY(f.panel.programs().InstallComponent(download));
        }
        const std::string dir = f.components.toStdString();
        // A setup runs from the checked copy in memory, not from the file that was checked.
        const std::string& started = f.programs.started[0].path;
        QVERIFY(removal ? started == dir + "uninstall components.exe"
                        : started.starts_with("/proc/self/fd/"));
        QCOMPARE(f.programs.started[0].arguments,
                 Texts{removal ? "CP" : dir.substr(0, dir.size() - 1)});
        f.install("Korvo's Zeltrix");           // what the installer puts there
        for (int tick = 0; tick < 20; ++tick) { // however late the setup shows a window
            f.timers.tick();
        }
        QVERIFY(!f.form().Enabled && f.messages.shown.empty() && f.view().ButtonCount() == 2);
        int buttonsAtMessage = 0;
        f.messages.onShow = [&](const korvo::Message&) {
            buttonsAtMessage = f.view().ButtonCount();
        };
        f.programs.end(std::abs(status), status < 0);
        QVERIFY(f.form().Enabled && f.form().Visible && f.form().Raises == 1);
        QCOMPARE(f.view().ButtonName(0), std::string("New Game")); // rebuilt, in the same view
        QVERIFY(!QFile::exists(f.components + "korvo002.cmp") &&
                !QFile::exists(f.components + "KORVO003.CMP"));
        const std::string text = message == "complete" ? launcher::kInstallComplete
                                 : message == "error"  ? launcher::kAddFailure + download
                                                       : std::string();
        QCOMPARE(f.messages.shown.size(), std::size_t(text.empty() ? 0 : 1));
        QVERIFY(text.empty() || f.messages.shown[0].text.starts_with(text));
        QVERIFY(message != "complete" || buttonsAtMessage == 1); // after the rebuild
    }

    void removalWithoutTheUninstallerSaysSo() {
        LauncherFixture f;
        f.panel.programs().RemoveGames();
        QCOMPARE(f.messages.texts(), Texts{launcher::kNothingToRemove});
        QVERIFY(f.programs.started.empty() && f.form().Enabled);
    }
};

QTEST_GUILESS_MAIN(StartedProgramsTest)
#include "StartedProgramsTest.moc"
