#pragma once

#include "Catalogue.h"
#include "Control.h"
#include "LauncherServices.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace launcher {

using korvo::Control;

// The controls of the main window as plain data, in twips; the window shows them.
struct MainForm {
    MainForm();

    std::string Caption = "Game Control Panel";
    int Width = 1000; // outer size, frame included
    int Height = 1000;
    bool Visible = false;

    // Game buttons and their caption labels, elements 0 .. ButtonCount - 1 in use; element 0
    // always exists. A button's tag holds the index of its game in the table.
    std::vector<Control> cmd_Play;
    std::vector<std::string> cmd_Play_Tag;
    std::vector<Control> lb_Game;
    Control pb_ButtonHighlight;
    // The four frames of the view switch, all at one spot; one shows at a time.
    std::array<Control, 4> cmd_OtherGames;
    Control lb_Other;

    bool t_AnimateEnabled = true;
    bool t_PauseEnabled = false;
    bool t_ShowEnabled = false;

    // False while an installer or the uninstaller runs: the window stays on screen and ignores
    // input.
    bool Enabled = true;
    // Counts the requests to bring the window to the front.
    int Raises = 0;
    // The install watcher; the tags carry the kind of job, kInstalling or empty for a removal.
    bool t_Install_PauseEnabled = false;
    std::string t_Install_PauseTag;
    bool t_Install_RefreshEnabled = false;
    std::string t_Install_RefreshTag;
};

// The main window of the launcher: the game buttons of one view, the view switch, the highlight
// frame, starting a game and waiting for it. Works on plain data; the window forwards its
// events here and shows MainForm.
class ControlPanel {
public:
    ControlPanel(LauncherServices services, Catalogue& catalogue);

    MainForm& form() { return m_form; }
    const MainForm& form() const { return m_form; }
    Catalogue& catalogue() { return m_catalogue; }
    int ButtonCount() const { return m_buttonCount; }
    // The full name of the game behind button i, for screen readers.
    std::string ButtonName(int i) const;

    // Window events.
    void Form_Load();
    void Form_Activate() { m_form.t_AnimateEnabled = true; }
    void Form_Deactivate() { m_form.t_AnimateEnabled = false; }
    void Form_MouseMove() { HideHighlight(); }
    void lb_Game_MouseMove() { HideHighlight(); }
    void cmd_Play_MouseMove(int i);
    void cmd_Play_MouseDown(int i, bool leftButton);
    void cmd_Play_Click(int i) { StartGame(i); }
    void cmd_OtherGames_MouseDown() { m_switchAnimating = false; }
    void cmd_OtherGames_MouseUp() { m_switchAnimating = true; }
    void cmd_OtherGames_MouseMove() { HideHighlight(); }
    void cmd_OtherGames_Click();
    void t_Animate_Timer() { AnimateButtons(); }
    void t_Pause_Timer();
    void t_Show_Timer();

    // Menu commands.
    void m_Add_Click() { RefreshGames(false); }
    void m_Remove_Click();
    void m_Refresh_Click() { RefreshGames(m_catalogue.ShowingInstalled); }
    void m_Instructions_Click() { ShowHelp(); }
    void m_About_Click() { m_services.dialogs.ShowAbout(); }

    // The rebuild of the table and the buttons; wantInstalled asks for the installed view.
    void RefreshGames(bool wantInstalled);
    void UnloadGameButtons();
    void ShowGamesInState(const std::string& state);
    void AddGameButton(const std::string& picture, const std::string& caption, int index);
    void PlaceViewSwitch();
    void AnimateButtons();
    void PlayClip(const std::string& file, bool force) { m_services.sound.PlaySound(file, force); }

    // Starting a game.
    void StartGame(int i);
    void ShowGameInfo(int i);
    void FindGameWindow();
    bool GameWindowAlive() const;
    korvo::WindowId GameWindow() const { return m_gameWindow; }

    // The install watcher: waits while an installer or the uninstaller shows a window titled
    // "Korvo's ...", then cleans up and rebuilds.
    void StartInstallWatcher(const std::string& tag);
    void t_Install_Pause_Timer();
    void t_Install_Refresh_Timer();

    // Opens the launcher's help unless a help window is open already.
    void ShowHelp();

    int SwitchFrame() const { return m_switchFrame; }
    bool SwitchAnimating() const { return m_switchAnimating; }

private:
    void rebuild(bool wantInstalled);
    void HideHighlight() { m_form.pb_ButtonHighlight.Visible = false; }
    int gameOf(int i) const;

    LauncherServices m_services;
    Catalogue& m_catalogue;
    MainForm m_form;
    int m_buttonCount = 0;
    bool m_switchAnimating = false;
    int m_switchFrame = 0;
    int m_highlightDX = 0;
    int m_highlightDY = 0;
    int m_lastHighlight = 0;
    korvo::WindowId m_gameWindow = 0;
    // A rebuild lets events run after each button; a rebuild asked for meanwhile waits here
    // and runs when the current one has finished.
    bool m_refreshing = false;
    std::optional<bool> m_pendingView;
};

inline const std::string kWelcomeTip = "Tip of the day : Click on a button to add a game.";
inline const std::string kWelcomeTitle = "Welcome to the Korvo Control Panel";
inline const std::string kNoGamesInstalled = "No games have been installed yet!";
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
