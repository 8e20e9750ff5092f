#pragma once

#include "Catalogue.h"
#include "GameView.h"
#include "Installation.h"
#include "LauncherServices.h"

#include <memory>
#include <string>

namespace launcher {

// The programs the main window starts and waits for: a game, while which the window hides and
// after which it shows again; and a component's installer or the components uninstaller, while
// which the window stays on screen disabled and after which it rebuilds. Each is a child
// watched through its process; other programs and their windows never count.
class StartedPrograms {
public:
    enum class Job { None, Install, Removal };

    StartedPrograms(LauncherServices services, Catalogue& catalogue, GameView& view,
                    Installation& installation);

    // A click on game button i: the new-games question, a game's information page, or the game.
    void StartGame(int i);
    // Checks, starts and waits for the component at path of the game offered (empty: any);
    // true when its installer runs.
    bool InstallComponent(const std::string& path, const std::string& game = {});
    // Runs the components uninstaller and waits for it.
    void RemoveGames();
    // Opens the launcher's help unless its help window is open already.
    void ShowHelp();

    Job RunningJob() const { return m_job; }
    long long RunningGame() const { return m_game; }
    // Called after a change that no window event caused: a program's end, the game window's
    // check.
    std::function<void()> changed;

private:
    void ShowGameInfo(int i, int game);
    void checkGameWindow();
    void gameEnded(int run, korvo::ExitStatus status);
    void showAgain();
    void startJob(Job job);
    void jobEnded(Job job, SetupOutcome outcome);
    void notify();

    LauncherServices m_services;
    Catalogue& m_catalogue;
    GameView& m_view;
    Installation& m_installation;
    long long m_game = 0;
    int m_gameRuns = 0; // games started so far
    korvo::WindowId m_gameWindow = 0;
    std::unique_ptr<korvo::Timer> m_gameWatch;
    Job m_job = Job::None;
};

inline const std::string kNewGamesQuestion =
    "Korvo Control Panel will now connect to the Internet in order to retrieve an up to date "
    "list of new Korvo Games.";
inline const std::string kNothingToRemove = "No installed games to remove.";
inline const std::string kHelpFile = "korvo's help.hlp";
inline const std::string kHelpTitle = "korvo's help";
inline const std::string kStartFailure =
    "A fairly serious error has occured.\n\nMight be worth closing Korvo's control panel and "
    "restarting it.  If that doesn't work, try removing and re-installing the game.";

} // namespace launcher
