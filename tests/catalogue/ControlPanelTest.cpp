#include "ControlPanel.h"
#include "Installation.h"
#include "PanelFixture.h"

#include <QtTest>

using Texts = std::vector<std::string>;

namespace {
QString at(int left, int top) {
    return QString("%1,%2").arg(left).arg(top);
}

QString at(const korvo::Control& c) {
    return at(c.Left, c.Top);
}

int plays(const fakes::FakePlayer& player) {
    return static_cast<int>(std::count(player.commands.begin(), player.commands.end(), "Play"));
}
} // namespace

class ControlPanelTest : public QObject {
    Q_OBJECT
private slots:
    void buttonsSwitchAndWindowFollowTheGrid_data() {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<QStringList>("places"); // the buttons', the switch's and its label's
        QTest::addColumn<QSize>("window");
        const QStringList row0{"120,135", "2100,135", "4080,135", "6060,135", "8040,135"};
        const QStringList row1{"120,1885", "2100,1885", "4080,1885", "6060,1885", "8040,1885"};
        QTest::newRow("1") << 1 << QStringList{"120,135", "2100,135", "2050,735"}
                           << QSize(2975, 2235);
        QTest::newRow("5") << 5 << row0 + QStringList{"120,1885", "70,2485"} << QSize(9745, 3855);
        QTest::newRow("7") << 7 << row0 + row1.mid(0, 2) + QStringList{"4080,1885", "4030,2485"}
                           << QSize(9745, 3985);
        QTest::newRow("11") << 11 << row0 + row1 + QStringList{"120,3635", "2100,3635", "2050,4235"}
                            << QSize(9745, 5735);
    }
    void buttonsSwitchAndWindowFollowTheGrid() {
        QFETCH(int, buttons);
        QFETCH(QStringList, places);
        QFETCH(QSize, window);
        PanelFixture f;
        f.offer(QStringList(buttons - 1, "Korvo's Game")); // the other view: then "New Game"
        f.panel.RefreshGames(false);
        QStringList actual;
        for (int i = 0; i < f.panel.ButtonCount(); ++i) {
            const korvo::Control& button = f.form().cmd_Play[i];
            const korvo::Control& label = f.form().lb_Game[i];
            QVERIFY(button.Visible && label.Visible);
            QCOMPARE(at(label), at(button.Left + 742 - label.Width / 2, button.Top + 1100));
            actual << at(button);
        }
        for (const korvo::Control& frame : f.form().cmd_OtherGames) {
            QCOMPARE(at(frame), places[buttons]); // all four frames at one spot
        }
        QCOMPARE(actual << at(f.form().cmd_OtherGames[0]) << at(f.form().lb_Other), places);
        QCOMPARE(QSize(f.form().Width, f.form().Height), window);
        QCOMPARE(f.screen.events, buttons); // each button shows up as it is made
    }

    void loadShowsTheInstalledGamesElseTheOthersWithTheTip_data() {
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QString>("buttons"); // name|caption|picture (or the button's text); ...
        QTest::addColumn<QString>("switchLeadsTo");
        QTest::newRow("installed view")
            << QStringList{"korvo's zeltrix", "Korvo's"}
            << "Korvo's Zeltrix| Zeltrix|C/korvo's zeltrix/add/screendump.gif;"
               "Korvo's||C/Korvo's/add/screendump.gif"
            << "Other Games";
        QTest::newRow("none installed: the other view")
            << QStringList{}
            << "Korvo's Vorpa| Vorpa|A/Korvo's Vorpa.gif;Korvo's Zeltrix| Zeltrix|A/Korvo's "
               "Zeltrix.gif;Korvo's||A/Korvo's.gif;New Game|New Game|?"
            << "Installed Games";
    }
    void loadShowsTheInstalledGamesElseTheOthersWithTheTip() {
        QFETCH(QStringList, installed);
        QFETCH(QString, buttons);
        QFETCH(QString, switchLeadsTo);
        PanelFixture f;
        f.offer({"Korvo's Vorpa", "Korvo's Zeltrix", "Korvo's"});
        for (const QString& game : installed) {
            f.install(game);
        }
        f.panel.Form_Load();
        QStringList shown;
        for (int i = 0; i < f.panel.ButtonCount(); ++i) {
            const korvo::Control& button = f.form().cmd_Play[i];
            const std::string& picture = button.Picture.empty() ? button.Caption : button.Picture;
            shown << QString::fromStdString(f.panel.ButtonName(i) + "|" +
                                            f.form().lb_Game[i].Caption + "|" + picture);
        }
        QCOMPARE(shown.join(';').replace(f.components, "C/").replace(f.app + "/add/", "A/"),
                 buttons);
        QCOMPARE(QString::fromStdString(f.form().lb_Other.Caption), switchLeadsTo);
        // The switch leads to the other view; with none installed it says so instead.
        f.panel.cmd_OtherGames_Click();
        QVERIFY(!f.catalogue.ShowingInstalled);
        const Texts welcome{launcher::kWelcomeTip, "No games have been installed yet!"};
        QCOMPARE(f.messages.texts(), installed.isEmpty() ? welcome : Texts{});
    }

    void captionsJitterAndTheSwitchAnimatesUntilHeld() {
        PanelFixture f;
        f.offer({"Korvo's Vorpa"});
        f.panel.RefreshGames(false);
        const auto& frames = f.form().cmd_OtherGames;
        QVERIFY(std::none_of(frames.begin(), frames.end(), // until the first tick
                             [](const korvo::Control& frame) { return frame.Visible; }));
        f.random.sequence = {0.0, 0.999};
        const korvo::Control& label = f.form().lb_Game[0];
        const QString rest = at(label);
        f.panel.t_Animate_Timer();
        QCOMPARE(at(label.Left + 19, label.Top - 20), rest); // 19 left and 20 down at the extremes
        QVERIFY(!frames[0].Visible && frames[1].Visible);
        f.panel.cmd_OtherGames_MouseDown();
        f.panel.t_Animate_Timer();
        QCOMPARE(f.panel.SwitchFrame(), 1);
        f.panel.cmd_OtherGames_MouseUp();
        for (int tick = 0; tick < 3; ++tick) {
            f.panel.t_Animate_Timer();
        }
        QVERIFY(frames[0].Visible && !frames[3].Visible);
    }

    void highlightFollowsThePointerWithOneThudPerButton() {
        PanelFixture f;
        f.offer({"Korvo's Vorpa"});
        f.panel.Form_Load();
        const korvo::Control& frame = f.form().pb_ButtonHighlight;
        for (const int button : {0, 0, 1, 1}) { // the frame starts hidden on button 0
            f.panel.cmd_Play_MouseMove(button);
        }
        QVERIFY(f.player.fileName == korvo::dataPath("thud.wav") && plays(f.player) == 2);
        QCOMPARE(at(frame), QString("2025,60"));
        f.panel.lb_Game_MouseMove();
        QVERIFY(!frame.Visible);
        f.panel.cmd_Play_MouseMove(1); // back on the same button after leaving it
        QCOMPARE(plays(f.player), 3);
        f.panel.RefreshGames(false);
        QVERIFY(!frame.Visible);
        // A left press clicks, cutting off what plays; other buttons make no sound.
        f.panel.cmd_Play_MouseDown(0, false);
        f.panel.cmd_Play_MouseDown(0, true);
        QVERIFY(f.player.fileName == korvo::dataPath("click.wav") && plays(f.player) == 4);
    }

    void rebuildAskedForDuringARebuildRunsAfterIt() {
        PanelFixture f;
        f.offer({"Korvo's Vorpa", "Korvo's Dravolt", "Korvo's Zeltrix"});
        f.install("Korvo's Zeltrix");
        QStringList seen; // the buttons as each one shows up
        f.screen.onEvents = [&] {
            seen << QString("%1:%2").arg(f.catalogue.ShowingInstalled).arg(f.panel.ButtonCount());
            if (seen.size() == 1) {
                f.panel.m_Refresh_Click();      // F5
                f.panel.cmd_OtherGames_Click(); // and the switch, while the first build runs
                f.panel.cmd_Play_Click(0);      // a click on the button that is there
            }
        };
        f.panel.RefreshGames(false);
        // The first build completes, then one more with the view asked for last.
        QCOMPARE(seen, QStringList({"0:1", "0:2", "0:3", "1:1"}));
        QCOMPARE(f.form().cmd_Play.size(), std::size_t(1));
        QVERIFY(f.catalogue.GameCount() == 3 && f.dialogs.pages.size() == 1);
    }

    void clickOnAGameNotInstalledOffersNewGamesOrItsPage_data() {
        QTest::addColumn<QString>("offered");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("page"); // caption|picture|lb_Install|lbl_Story; empty: none
        QTest::newRow("new-games button, OK") << "" << true << "";
        QTest::newRow("new-games button, Cancel") << "" << false << "";
        QTest::newRow("catalogue entry named New Game") << "New Game" << true << "";
        QTest::newRow("a game")
            << "Korvo's Vorpa" << true
            << "Korvo's Vorpa|A/Korvo's Vorpa.gif|Korvo's Vorpa has not been installed.|About "
               "Korvo's Vorpa.";
    }
    void clickOnAGameNotInstalledOffersNewGamesOrItsPage() {
        QFETCH(QString, offered);
        QFETCH(bool, answer);
        QFETCH(QString, page);
        PanelFixture f;
        f.offer(offered.split(';', Qt::SkipEmptyParts));
        f.panel.RefreshGames(false);
        f.messages.answer = answer;
        f.panel.cmd_Play_Click(0);
        QCOMPARE(f.messages.texts(), page.isEmpty() ? Texts{launcher::kNewGamesQuestion} : Texts{});
        QVERIFY(!page.isEmpty() || f.messages.shown[0].buttons == korvo::MessageButtons::OkCancel);
        QCOMPARE(f.dialogs.newReleases, page.isEmpty() && answer ? 1 : 0);
        QString shown; // at most one page
        for (const launcher::GameInfo& p : f.dialogs.pages) {
            shown = QString::fromStdString(p.Caption + "|" + p.Picture + "|" + p.lb_Install + "|" +
                                           p.lbl_Story);
        }
        QCOMPARE(shown.replace(f.app + "/add/", "A/"), page);
        QVERIFY(f.shell.started.empty() && f.dialogs.pages.size() <= 1);
    }

    void startedGameHidesTheLauncherUntilItsWindowHasGoneOrSaysItCannotStart_data() {
        QTest::addColumn<QString>("game"); // the game's window one second after the start
        QTest::newRow("a window") << "KORVO'S ZELTRIX  V2.1.0";
        QTest::newRow("no window yet") << "";
        QTest::newRow("the game cannot start") << "-";
    }
    void startedGameHidesTheLauncherUntilItsWindowHasGoneOrSaysItCannotStart() {
        QFETCH(QString, game);
        PanelFixture f;
        f.offer({"Korvo's Zeltrix"});
        f.install("korvo's zeltrix");
        f.panel.Form_Load();
        f.shell.startSucceeds = game != "-";
        const std::string program =
            (f.components + "korvo's zeltrix/korvo's zeltrix.exe").toStdString();
        for (int start = 1; start <= 2; ++start) { // and again once it is back
            f.panel.cmd_Play_Click(0);
            QCOMPARE(f.shell.started, Texts(start, program));
            if (game == "-") { // said plainly, and so is a button that names no game
                f.panel.StartGame(5);
                QCOMPARE(f.messages.texts(), Texts(2, launcher::kStartFailure));
                QVERIFY(f.form().Visible && !f.form().t_PauseEnabled);
                return;
            }
            QVERIFY(!f.form().Visible && !f.form().t_AnimateEnabled && f.form().t_PauseEnabled);
            f.windows.windows = {{7, "Korvo's Help"}, {9, game.toStdString()}};
            f.panel.t_Pause_Timer();
            QCOMPARE(f.panel.GameWindow(), korvo::WindowId(game.isEmpty() ? 0 : 9));
            QVERIFY(!f.form().t_PauseEnabled && f.form().t_ShowEnabled);
            f.panel.t_Show_Timer();
            QCOMPARE(f.form().Visible, game.isEmpty());
            f.windows.windows.pop_back(); // the game has closed
            f.panel.t_Show_Timer();
            QVERIFY(f.form().Visible && f.form().t_AnimateEnabled && !f.form().t_ShowEnabled);
        }
        QVERIFY(f.messages.shown.empty());
    }

    void installWatcherWaitsForTheJobAndThenCleansUpAndRebuilds_data() {
        QTest::addColumn<bool>("installation"); // else a removal, through the menu
        QTest::newRow("installation") << true;
        QTest::newRow("removal") << false;
    }
    void installWatcherWaitsForTheJobAndThenCleansUpAndRebuilds() {
        QFETCH(bool, installation);
        PanelFixture f;
        f.offer({"Korvo's Vorpa", "Korvo's Zeltrix"});
        f.install("Korvo's Vorpa");
        f.panel.RefreshGames(false); // the user is looking at the other games
        f.onDisk("korvo002.cmp");
        f.onDisk("uninstall components.exe");
        f.write(f.app + "/add/components.cmp", "shipped");
        installation ? f.panel.StartInstallWatcher(launcher::kInstalling)
                     : f.panel.m_Remove_Click();
        const std::string uninstaller = (f.components + "uninstall components.exe").toStdString();
        QCOMPARE(f.shell.started, installation ? Texts{} : Texts{uninstaller});
        QCOMPARE(f.shell.arguments,
                 installation ? std::vector<Texts>{} : std::vector<Texts>{{"CP"}});
        QVERIFY(!f.form().Enabled && f.form().t_Install_PauseEnabled);
        f.panel.t_Install_Pause_Timer(); // one second later
        QVERIFY(!f.form().t_Install_PauseEnabled && f.form().t_Install_RefreshEnabled);
        // Any window titled "Korvo's ..." but not "... help" holds it: an installer's, a game's.
        f.windows.windows = {{1, "korvo's help"}, {2, "KORVO'S VORPA"}};
        f.panel.t_Install_Refresh_Timer();
        QVERIFY(!f.form().Enabled && QFile::exists(f.components + "korvo002.cmp"));
        f.install("Korvo's Zeltrix"); // what the installer put there
        f.windows.windows.pop_back();
        f.screen.onEvents = [&f] { // a tick during the rebuild must not rebuild or announce again
            if (f.form().t_Install_RefreshEnabled) {
                f.panel.t_Install_Refresh_Timer();
            }
        };
        f.panel.t_Install_Refresh_Timer();
        QVERIFY(f.form().Enabled && f.form().Visible && f.form().Raises == 1);
        QVERIFY(!f.form().t_Install_RefreshEnabled && QFile::exists(f.app + "/add/components.cmp"));
        QVERIFY(!QFile::exists(f.components + "korvo002.cmp"));
        QCOMPARE(f.panel.ButtonName(0), std::string("New Game")); // the view the user had
        QCOMPARE(f.messages.texts(), installation ? Texts{launcher::kInstallComplete} : Texts{});
    }
};

QTEST_GUILESS_MAIN(ControlPanelTest)
#include "ControlPanelTest.moc"
