#include "ControlPanel.h"
#include "Installation.h"
#include "PanelFixture.h"

#include <QtTest>

using korvo::MessageIcon;

namespace {
QString at(const korvo::Control& c) {
    return QString("%1,%2").arg(c.Left).arg(c.Top);
}

QStringList names(const QStringList& suffixes) {
    QStringList result;
    for (const QString& s : suffixes) {
        result << "Korvo's " + s;
    }
    return result;
}

int plays(const fakes::FakePlayer& player) {
    return static_cast<int>(std::count(player.commands.begin(), player.commands.end(), "Play"));
}
} // namespace

class ControlPanelTest : public QObject {
    Q_OBJECT
private slots:
    void buttonsSwitchAndWindowFollowTheGrid_data();
    void buttonsSwitchAndWindowFollowTheGrid();
    void installedViewShowsScreenDumpsAndCaptionsWithoutKorvos();
    void installedViewWithNothingInstalledGivesTheOtherViewAndTheTip();
    void viewSwitchTogglesTheViewOrSaysNothingIsInstalled();
    void captionsJitterAndTheSwitchAnimatesUntilHeld();
    void highlightFollowsThePointerWithOneThudPerButton();
    void leftPressClicks();
    void rebuildAskedForDuringARebuildRunsAfterIt();
    void newGameAsksBeforeGoingOnline_data();
    void newGameAsksBeforeGoingOnline();
    void gameNotInstalledOpensItsInformationPage();
    void startedGameHidesTheLauncherUntilItsWindowHasGone();
    void gameWithoutWindowBringsTheLauncherBackAtTheFirstPoll();
    void gameThatCannotStartSaysSo();
    void menusRefreshAndLeadToTheOtherWindows();
    void installWatcherWaitsForTheJobAndThenCleansUpAndRebuilds_data();
    void installWatcherWaitsForTheJobAndThenCleansUpAndRebuilds();
    void installWatcherAnnouncesOnceEvenWhenItTicksDuringTheRebuild();
    void removeStartsTheUninstallerUnderTheWatcher_data();
    void removeStartsTheUninstallerUnderTheWatcher();
    void helpOpensUnlessAHelpWindowIsOpen_data();
    void helpOpensUnlessAHelpWindowIsOpen();
};

void ControlPanelTest::buttonsSwitchAndWindowFollowTheGrid_data() {
    QTest::addColumn<int>("buttons");
    QTest::addColumn<QStringList>("places");
    QTest::addColumn<QString>("switchAt");
    QTest::addColumn<QString>("labelAt");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    const QStringList row0{"120,135", "2100,135", "4080,135", "6060,135", "8040,135"};
    const QStringList row1{"120,1885", "2100,1885", "4080,1885", "6060,1885", "8040,1885"};
    QTest::newRow("1") << 1 << QStringList{"120,135"} << "2100,135"
                       << "2050,735" << 2975 << 2235;
    QTest::newRow("5") << 5 << row0 << "120,1885"
                       << "70,2485" << 9745 << 3855;
    QTest::newRow("7") << 7 << row0 + row1.mid(0, 2) << "4080,1885"
                       << "4030,2485" << 9745 << 3985;
    QTest::newRow("11") << 11 << row0 + row1 + QStringList{"120,3635"} << "2100,3635"
                        << "2050,4235" << 9745 << 5735;
}

void ControlPanelTest::buttonsSwitchAndWindowFollowTheGrid() {
    QFETCH(int, buttons);
    QFETCH(QStringList, places);
    QFETCH(QString, switchAt);
    QFETCH(QString, labelAt);
    QFETCH(int, width);
    QFETCH(int, height);
    PanelFixture f;
    QStringList offered;
    for (int i = 1; i < buttons; ++i) {
        offered << QString("Korvo's Game %1").arg(i);
    }
    f.offer(offered); // the other view: the games, then "New Game"
    f.panel.RefreshGames(false);

    QCOMPARE(f.panel.ButtonCount(), buttons);
    QStringList actual;
    for (int i = 0; i < buttons; ++i) {
        actual << at(f.form().cmd_Play[i]);
        QVERIFY(f.form().cmd_Play[i].Visible);
        const korvo::Control& label = f.form().lb_Game[i];
        QCOMPARE(label.Top, f.form().cmd_Play[i].Top + 1050 + 50);
        QCOMPARE(label.Left, f.form().cmd_Play[i].Left + 742 - label.Width / 2);
    }
    QCOMPARE(actual, places);
    for (const korvo::Control& frame : f.form().cmd_OtherGames) {
        QCOMPARE(at(frame), switchAt);
    }
    QCOMPARE(at(f.form().lb_Other), labelAt);
    QCOMPARE(f.form().lb_Other.Caption, std::string("Installed Games"));
    QCOMPARE(f.form().Width, width);
    QCOMPARE(f.form().Height, height);
    // The last button is "New Game": a question mark instead of a picture.
    QCOMPARE(f.form().cmd_Play[buttons - 1].Caption, std::string("?"));
    QCOMPARE(f.form().lb_Game[buttons - 1].Caption, std::string("New Game"));
    QVERIFY(f.form().cmd_Play[buttons - 1].Picture.empty());
    // Each button shows up as it is made.
    QCOMPARE(f.screen.events, buttons);
}

void ControlPanelTest::installedViewShowsScreenDumpsAndCaptionsWithoutKorvos() {
    PanelFixture f;
    f.offer({"Korvo's Vorpa", "Korvo's Zeltrix", "Korvo's"});
    f.install("Korvo's Zeltrix");
    f.install("Korvo's");
    f.panel.RefreshGames(true);
    QVERIFY(f.catalogue.ShowingInstalled);
    QCOMPARE(f.panel.ButtonCount(), 2);
    QCOMPARE(f.form().lb_Game[0].Caption, std::string(" Zeltrix"));
    QCOMPARE(f.form().lb_Game[0].Width, 800);
    QCOMPARE(f.form().lb_Game[1].Caption, std::string()); // a name of seven characters
    QCOMPARE(QString::fromStdString(f.form().cmd_Play[0].Picture),
             f.components + "Korvo's Zeltrix/add/screendump.gif");
    QVERIFY(f.form().cmd_Play[0].Caption.empty());
    QCOMPARE(f.panel.ButtonName(0), std::string("Korvo's Zeltrix"));
    QCOMPARE(f.form().lb_Other.Caption, std::string("Other Games"));

    f.panel.RefreshGames(false);
    QCOMPARE(f.panel.ButtonCount(), 2); // Vorpa and New Game
    QCOMPARE(QString::fromStdString(f.form().cmd_Play[0].Picture),
             f.app + "/add/Korvo's Vorpa.gif");
    QCOMPARE(f.panel.ButtonName(1), std::string("New Game"));
    QCOMPARE(f.form().cmd_Play.size(), std::size_t(2)); // the earlier buttons are gone
}

void ControlPanelTest::installedViewWithNothingInstalledGivesTheOtherViewAndTheTip() {
    PanelFixture f;
    f.offer(names({"Vorpa", "Zeltrix"}));
    f.panel.Form_Load();
    QVERIFY(f.form().Visible);
    QVERIFY(!f.catalogue.ShowingInstalled);
    QCOMPARE(f.panel.ButtonCount(), 3);
    QCOMPARE(f.catalogue.Games.back().Name, std::string("New Game"));
    QCOMPARE(f.messages.shown.size(), std::size_t(1));
    QCOMPARE(f.messages.shown[0].text, launcher::kWelcomeTip);
    QCOMPARE(f.messages.shown[0].title, std::string("Welcome to the Korvo Control Panel"));
    QVERIFY(f.messages.shown[0].icon == MessageIcon::Information);

    PanelFixture installed;
    installed.offer(names({"Vorpa", "Zeltrix"}));
    installed.install("Korvo's Zeltrix");
    installed.panel.Form_Load();
    QVERIFY(installed.catalogue.ShowingInstalled);
    QVERIFY(installed.messages.shown.empty());
}

void ControlPanelTest::viewSwitchTogglesTheViewOrSaysNothingIsInstalled() {
    PanelFixture f;
    f.offer(names({"Vorpa"}));
    f.panel.RefreshGames(true);
    f.panel.cmd_OtherGames_Click();
    QCOMPARE(f.messages.texts(), std::vector<std::string>{"No games have been installed yet!"});
    QVERIFY(!f.catalogue.ShowingInstalled);

    f.install("Korvo's Vorpa");
    f.panel.cmd_OtherGames_Click(); // the table still says nothing is installed
    QCOMPARE(f.messages.shown.size(), std::size_t(2));
    f.panel.m_Refresh_Click();
    f.panel.cmd_OtherGames_Click();
    QVERIFY(f.catalogue.ShowingInstalled);
    QCOMPARE(f.panel.ButtonName(0), std::string("Korvo's Vorpa"));
    f.panel.cmd_OtherGames_Click();
    QVERIFY(!f.catalogue.ShowingInstalled);
    QCOMPARE(f.messages.shown.size(), std::size_t(2));
}

void ControlPanelTest::captionsJitterAndTheSwitchAnimatesUntilHeld() {
    PanelFixture f;
    f.offer(names({"Vorpa"}));
    f.panel.RefreshGames(false);
    for (const korvo::Control& frame : f.form().cmd_OtherGames) {
        QVERIFY(!frame.Visible); // until the first tick
    }
    f.random.sequence = {0.0, 0.999};
    const korvo::Control& button = f.form().cmd_Play[0];
    const korvo::Control& label = f.form().lb_Game[0];
    const int restLeft = button.Left + button.Width / 2 - label.Width / 2;
    const auto visibleFrames = [&] {
        QString shown;
        for (const korvo::Control& frame : f.form().cmd_OtherGames) {
            shown += frame.Visible ? "1" : "0";
        }
        return shown;
    };

    f.panel.t_Animate_Timer();
    QCOMPARE(label.Top, 1235 + 20);
    QCOMPARE(label.Left, restLeft - 19);
    QCOMPARE(visibleFrames(), QString("0100"));
    f.panel.t_Animate_Timer();
    QCOMPARE(visibleFrames(), QString("0010"));
    f.panel.cmd_OtherGames_MouseDown();
    f.panel.t_Animate_Timer();
    QCOMPARE(visibleFrames(), QString("0010"));
    f.panel.cmd_OtherGames_MouseUp();
    f.panel.t_Animate_Timer();
    f.panel.t_Animate_Timer();
    QCOMPARE(visibleFrames(), QString("1000"));
    QCOMPARE(f.random.draws, std::size_t(2 * 5 * 2)); // two numbers per button and tick

    f.panel.Form_Deactivate();
    QVERIFY(!f.form().t_AnimateEnabled);
    f.panel.Form_Activate();
    QVERIFY(f.form().t_AnimateEnabled);
}

void ControlPanelTest::highlightFollowsThePointerWithOneThudPerButton() {
    PanelFixture f;
    f.offer(names({"Vorpa", "Zeltrix"}));
    f.panel.Form_Load();
    const korvo::Control& frame = f.form().pb_ButtonHighlight;
    const std::string thud = korvo::dataPath("thud.wav");
    f.player.commands.clear();

    f.panel.cmd_Play_MouseMove(0); // LastHighlight starts at 0, but the frame is hidden
    QVERIFY(frame.Visible);
    QCOMPARE(at(frame), QString("45,60"));
    QCOMPARE(f.player.fileName, thud);
    f.panel.cmd_Play_MouseMove(0);
    QCOMPARE(plays(f.player), 1);
    f.panel.cmd_Play_MouseMove(1);
    QCOMPARE(plays(f.player), 2);
    QCOMPARE(at(frame), QString("2025,60"));
    f.panel.cmd_Play_MouseMove(1);
    f.panel.lb_Game_MouseMove();
    QVERIFY(!frame.Visible);
    f.panel.cmd_Play_MouseMove(1); // back after leaving
    QCOMPARE(plays(f.player), 3);
    f.panel.Form_MouseMove();
    QVERIFY(!frame.Visible);
    f.panel.cmd_Play_MouseMove(0);
    f.panel.cmd_OtherGames_MouseMove();
    QVERIFY(!frame.Visible);
    f.panel.cmd_Play_MouseMove(0);
    f.panel.RefreshGames(false);
    QVERIFY(!frame.Visible);
}

void ControlPanelTest::leftPressClicks() {
    PanelFixture f;
    f.offer(names({"Vorpa"}));
    f.panel.RefreshGames(false);
    f.panel.cmd_Play_MouseDown(0, false);
    QVERIFY(f.player.commands.empty());
    f.player.playerMode = korvo::PlayerMode::Playing; // a clip plays: click cuts it off
    f.panel.cmd_Play_MouseDown(0, true);
    QCOMPARE(f.player.fileName, korvo::dataPath("click.wav"));
    QCOMPARE(plays(f.player), 1);
}

void ControlPanelTest::rebuildAskedForDuringARebuildRunsAfterIt() {
    PanelFixture f;
    f.offer(names({"Vorpa", "Dravolt", "Zeltrix"}));
    f.install("Korvo's Zeltrix");
    QStringList seen; // the buttons as each one shows up
    bool clicked = false;
    f.screen.onEvents = [&] {
        seen << QString("%1:%2").arg(f.catalogue.ShowingInstalled).arg(f.panel.ButtonCount());
        if (!clicked) {
            clicked = true;
            f.panel.m_Refresh_Click();      // F5
            f.panel.cmd_OtherGames_Click(); // and the switch, while the first build runs
            f.panel.cmd_Play_Click(0);      // a click on the button that is there
        }
    };
    f.panel.RefreshGames(false);
    // The first build completes, then one more with the view asked for last.
    QCOMPARE(seen, QStringList({"0:1", "0:2", "0:3", "1:1"}));
    QVERIFY(f.catalogue.ShowingInstalled);
    QCOMPARE(f.panel.ButtonCount(), 1);
    QCOMPARE(f.catalogue.GameCount(), 3);
    QCOMPARE(f.dialogs.pages.size(), std::size_t(1));
    QCOMPARE(f.dialogs.pages[0].Caption, std::string("Korvo's Vorpa"));
}

void ControlPanelTest::newGameAsksBeforeGoingOnline_data() {
    QTest::addColumn<bool>("fromCatalogue");
    QTest::addColumn<bool>("answer");
    QTest::newRow("new-games button, OK") << false << true;
    QTest::newRow("new-games button, Cancel") << false << false;
    QTest::newRow("catalogue entry named New Game, OK") << true << true;
}

void ControlPanelTest::newGameAsksBeforeGoingOnline() {
    QFETCH(bool, fromCatalogue);
    QFETCH(bool, answer);
    PanelFixture f;
    f.offer(fromCatalogue ? QStringList{"New Game"} : QStringList{});
    f.panel.RefreshGames(false);
    f.messages.answer = answer;
    f.panel.cmd_Play_Click(0);
    QCOMPARE(f.messages.shown.size(), std::size_t(1));
    QCOMPARE(f.messages.shown[0].text, launcher::kNewGamesQuestion);
    QVERIFY(f.messages.shown[0].buttons == korvo::MessageButtons::OkCancel);
    QVERIFY(f.messages.shown[0].icon == MessageIcon::Information);
    QCOMPARE(f.dialogs.newReleases, answer ? 1 : 0);
    QVERIFY(f.shell.started.empty());
    QVERIFY(f.form().Visible == false && !f.form().t_PauseEnabled); // never shown here
}

void ControlPanelTest::gameNotInstalledOpensItsInformationPage() {
    PanelFixture f;
    f.offer(names({"Vorpa"}));
    f.panel.RefreshGames(false);
    f.panel.cmd_Play_Click(0);
    QCOMPARE(f.dialogs.pages.size(), std::size_t(1));
    const launcher::GameInfo& page = f.dialogs.pages[0];
    QCOMPARE(page.Caption, std::string("Korvo's Vorpa"));
    QCOMPARE(QString::fromStdString(page.Picture), f.app + "/add/Korvo's Vorpa.gif");
    QCOMPARE(page.lb_Install, std::string("Korvo's Vorpa has not been installed."));
    QCOMPARE(page.lbl_Story, std::string("About Korvo's Vorpa."));
    QVERIFY(f.shell.started.empty());
}

void ControlPanelTest::startedGameHidesTheLauncherUntilItsWindowHasGone() {
    PanelFixture f;
    f.offer(names({"Zeltrix"}));
    f.install("Korvo's Zeltrix");
    f.panel.Form_Load();
    const int eventsBefore = f.screen.events;
    f.panel.cmd_Play_Click(0);
    QCOMPARE(f.shell.started,
             std::vector<std::string>{
                 (f.components + "Korvo's Zeltrix/Korvo's Zeltrix.exe").toStdString()});
    QCOMPARE(f.screen.events, eventsBefore + 1);
    QVERIFY(!f.form().Visible);
    QVERIFY(!f.form().t_AnimateEnabled);
    QVERIFY(f.form().t_PauseEnabled);

    // One second later the game's window is there; its help and an owned dialog are no games.
    f.windows.windows = {
        {7, "Korvo's Help"}, {8, "Korvo's Zeltrix  V2.1.0", true}, {9, "KORVO'S ZELTRIX  V2.1.0"}};
    f.panel.t_Pause_Timer();
    QCOMPARE(f.panel.GameWindow(), korvo::WindowId(9));
    QVERIFY(!f.form().t_PauseEnabled);
    QVERIFY(f.form().t_ShowEnabled);
    f.panel.t_Show_Timer();
    f.panel.t_Show_Timer();
    QVERIFY(!f.form().Visible);

    f.windows.windows.pop_back(); // the game has closed
    f.panel.t_Show_Timer();
    QVERIFY(f.form().Visible);
    QVERIFY(f.form().t_AnimateEnabled);
    QVERIFY(!f.form().t_ShowEnabled);
    QVERIFY(f.messages.shown.empty());
}

void ControlPanelTest::gameWithoutWindowBringsTheLauncherBackAtTheFirstPoll() {
    PanelFixture f;
    f.offer(names({"Zeltrix"}));
    f.install("Korvo's Zeltrix");
    f.panel.Form_Load();
    f.panel.cmd_Play_Click(0);
    f.windows.windows = {{5, "Korvo Control Panel"}, {6, "Game Control Panel"}};
    f.panel.t_Pause_Timer();
    QCOMPARE(f.panel.GameWindow(), korvo::WindowId(0));
    QVERIFY(!f.form().Visible);
    f.panel.t_Show_Timer();
    QVERIFY(f.form().Visible);
    QVERIFY(f.form().t_AnimateEnabled);
    // Usable again: the next click starts the game once more.
    f.panel.cmd_Play_Click(0);
    QCOMPARE(f.shell.started.size(), std::size_t(2));
}

void ControlPanelTest::gameThatCannotStartSaysSo() {
    PanelFixture f;
    f.offer(names({"Zeltrix"}));
    f.install("Korvo's Zeltrix");
    f.panel.Form_Load();
    f.shell.startSucceeds = false;
    f.panel.cmd_Play_Click(0);
    QCOMPARE(f.messages.shown.size(), std::size_t(1));
    QCOMPARE(f.messages.shown[0].text,
             std::string("A fairly serious error has occured.\n\nMight be worth closing Korvo's "
                         "control panel and restarting it.  If that doesn't work, try removing "
                         "and re-installing the game."));
    QVERIFY(f.messages.shown[0].icon == MessageIcon::Exclamation);
    QVERIFY(f.form().Visible);
    QVERIFY(!f.form().t_PauseEnabled);
    // A button index that names no game says the same instead of failing.
    f.panel.StartGame(5);
    QCOMPARE(f.messages.shown.size(), std::size_t(2));
}

void ControlPanelTest::menusRefreshAndLeadToTheOtherWindows() {
    PanelFixture f;
    f.offer(names({"Vorpa", "Zeltrix"}));
    f.install("Korvo's Zeltrix");
    f.panel.RefreshGames(true);
    f.panel.m_Add_Click();
    QVERIFY(!f.catalogue.ShowingInstalled);
    f.install("Korvo's Vorpa");
    f.panel.m_Refresh_Click(); // the current view again, rebuilt from the disk
    QVERIFY(!f.catalogue.ShowingInstalled);
    QCOMPARE(f.panel.ButtonCount(), 1);
    QCOMPARE(f.panel.ButtonName(0), std::string("New Game"));
    f.panel.m_About_Click();
    QCOMPARE(f.dialogs.abouts, 1);
}

void ControlPanelTest::installWatcherWaitsForTheJobAndThenCleansUpAndRebuilds_data() {
    QTest::addColumn<QString>("tag");
    QTest::addColumn<bool>("announced");
    QTest::newRow("installation") << QString::fromStdString(launcher::kInstalling) << true;
    QTest::newRow("removal") << QString() << false;
}

void ControlPanelTest::installWatcherWaitsForTheJobAndThenCleansUpAndRebuilds() {
    QFETCH(QString, tag);
    QFETCH(bool, announced);
    PanelFixture f;
    f.offer(names({"Vorpa", "Zeltrix"}));
    f.install("Korvo's Vorpa");
    f.panel.Form_Load();
    f.panel.RefreshGames(false); // the user is looking at the other games
    f.onDisk("korvo002.cmp");
    f.write(f.app + "/add/components.cmp", "shipped");

    f.panel.StartInstallWatcher(tag.toStdString());
    QVERIFY(!f.form().Enabled);
    QVERIFY(f.form().t_Install_PauseEnabled);
    QCOMPARE(QString::fromStdString(f.form().t_Install_PauseTag), tag);

    f.panel.t_Install_Pause_Timer(); // one second later
    QVERIFY(!f.form().t_Install_PauseEnabled);
    QVERIFY(f.form().t_Install_PauseTag.empty());
    QVERIFY(f.form().t_Install_RefreshEnabled);
    QCOMPARE(QString::fromStdString(f.form().t_Install_RefreshTag), tag);

    // Any window titled "Korvo's ..." but not "... help" holds the watcher: the installer's,
    // or a game's.
    f.windows.windows = {{1, "korvo's help"}, {2, "Korvo's Zeltrix Setup"}};
    f.panel.t_Install_Refresh_Timer();
    f.windows.windows = {{1, "korvo's help"}, {3, "KORVO'S VORPA"}};
    f.panel.t_Install_Refresh_Timer();
    QVERIFY(!f.form().Enabled);
    QVERIFY(f.form().t_Install_RefreshEnabled);
    QVERIFY(QFile::exists(f.components + "korvo002.cmp"));

    f.install("Korvo's Zeltrix"); // what the installer put there
    f.windows.windows = {{1, "Korvo's Help"}};
    const int raises = f.form().Raises;
    f.messages.shown.clear();
    f.panel.t_Install_Refresh_Timer();
    QVERIFY(f.form().Enabled);
    QVERIFY(f.form().Visible);
    QCOMPARE(f.form().Raises, raises + 1);
    QVERIFY(!f.form().t_Install_RefreshEnabled);
    QVERIFY(!QFile::exists(f.components + "korvo002.cmp"));
    QVERIFY(QFile::exists(f.app + "/add/components.cmp"));
    // Rebuilt in the view the user had: Zeltrix is no longer offered.
    QVERIFY(!f.catalogue.ShowingInstalled);
    QCOMPARE(f.panel.ButtonCount(), 1);
    QCOMPARE(f.panel.ButtonName(0), std::string("New Game"));
    QCOMPARE(f.messages.texts(), announced ? std::vector<std::string>{launcher::kInstallComplete}
                                           : std::vector<std::string>{});
    if (announced) {
        QCOMPARE(f.messages.shown[0].icon, MessageIcon::Information);
    }
    // The tag stays until the next job.
    QCOMPARE(QString::fromStdString(f.form().t_Install_RefreshTag), tag);
}

void ControlPanelTest::installWatcherAnnouncesOnceEvenWhenItTicksDuringTheRebuild() {
    PanelFixture f;
    f.offer(names({"Zeltrix"}));
    f.install("Korvo's Zeltrix");
    f.panel.StartInstallWatcher(launcher::kInstalling);
    f.panel.t_Install_Pause_Timer();
    // The rebuild lets events run; the refresh timer's next tick may come meanwhile, as it does
    // for as long as the window has the timer on.
    f.screen.onEvents = [&f] {
        if (f.form().t_Install_RefreshEnabled) {
            f.panel.t_Install_Refresh_Timer();
        }
    };
    f.panel.t_Install_Refresh_Timer();
    QCOMPARE(f.messages.texts(), std::vector<std::string>{launcher::kInstallComplete});
}

void ControlPanelTest::removeStartsTheUninstallerUnderTheWatcher_data() {
    QTest::addColumn<QString>("uninstaller"); // "", "file" or "folder"
    QTest::addColumn<bool>("starts");
    QTest::newRow("uninstaller there") << "file" << true;
    QTest::newRow("uninstaller there, does not start") << "file" << false;
    QTest::newRow("no uninstaller") << "" << false;
    QTest::newRow("a folder of that name") << "folder" << false;
}

void ControlPanelTest::removeStartsTheUninstallerUnderTheWatcher() {
    QFETCH(QString, uninstaller);
    QFETCH(bool, starts);
    PanelFixture f;
    f.offer(names({"Zeltrix"}));
    f.install("Korvo's Zeltrix");
    f.panel.Form_Load();
    const QString path = f.components + "uninstall components.exe";
    if (uninstaller == "file") {
        f.onDisk("uninstall components.exe");
    } else if (uninstaller == "folder") {
        f.onDisk("uninstall components.exe/");
    }
    f.shell.startSucceeds = starts;
    bool disabledAtStart = false;
    f.shell.onStart = [&f, &disabledAtStart](const std::string&) {
        disabledAtStart = !f.form().Enabled;
    };
    f.panel.m_Remove_Click();

    if (uninstaller != "file") {
        QCOMPARE(f.messages.texts(), std::vector<std::string>{launcher::kNothingToRemove});
        QCOMPARE(f.messages.shown[0].icon, MessageIcon::Exclamation);
        QVERIFY(f.shell.started.empty());
        QVERIFY(f.form().Enabled);
        QVERIFY(!f.form().t_Install_PauseEnabled);
        return;
    }
    QCOMPARE(f.shell.started, std::vector<std::string>{path.toStdString()});
    QCOMPARE(f.shell.arguments[0], std::vector<std::string>{"CP"});
    QVERIFY(disabledAtStart);
    if (starts) {
        QVERIFY(f.messages.shown.empty());
        QVERIFY(!f.form().Enabled);
        QVERIFY(f.form().t_Install_PauseEnabled);
        QVERIFY(f.form().t_Install_PauseTag.empty());
    } else {
        // Nothing to wait for: said plainly, and the window is usable at once.
        QCOMPARE(f.messages.shown.size(), std::size_t(1));
        QVERIFY(f.messages.shown[0].text.find(path.toStdString()) != std::string::npos);
        QVERIFY(f.form().Enabled);
        QVERIFY(!f.form().t_Install_PauseEnabled);
    }
}

void ControlPanelTest::helpOpensUnlessAHelpWindowIsOpen_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<bool>("opens");
    QTest::newRow("no help window") << "" << true;
    QTest::newRow("an installer's window") << "Korvo's Zeltrix Setup" << true;
    QTest::newRow("the help window") << "Korvo's Help" << false;
    QTest::newRow("in any letter case") << "KORVO'S HELP - Contents" << false;
}

void ControlPanelTest::helpOpensUnlessAHelpWindowIsOpen() {
    QFETCH(QString, window);
    QFETCH(bool, opens);
    PanelFixture f;
    if (!window.isEmpty()) {
        f.windows.windows = {{7, window.toStdString()}};
    }
    f.panel.m_Instructions_Click();
    using Documents = std::vector<std::pair<std::string, int>>;
    const Documents help{{(f.app + "/add/korvo's help.hlp").toStdString(), 0}};
    QCOMPARE(f.dialogs.documents, opens ? help : Documents{});
}

QTEST_GUILESS_MAIN(ControlPanelTest)
#include "ControlPanelTest.moc"
