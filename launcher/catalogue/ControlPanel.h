#pragma once

#include "ButtonSounds.h"
#include "GameView.h"
#include "Installation.h"
#include "LauncherServices.h"
#include "StartedPrograms.h"

#include <string>

namespace launcher {

// The main window's logic: the view of the games, the programs it starts and waits for, and
// the sound of its buttons. The window forwards its events here and shows view().form().
class ControlPanel {
public:
    ControlPanel(LauncherServices services, Catalogue& catalogue, Installation& installation);

    GameView& view() { return m_view; }
    const GameView& view() const { return m_view; }
    StartedPrograms& programs() { return m_programs; }

    // Shows the installed view, or the other one when nothing is installed.
    void Form_Load();
    // The tip for a player who has no game yet; once the window shows.
    void Welcome();
    void cmd_Play_MouseDown(bool leftButton);
    // The view switch: the other view, unless it would be the installed one and nothing is.
    void cmd_OtherGames_Click();
    // Rebuilds the view that shows.
    void RefreshView() { m_view.RefreshGames(m_catalogue.ShowingInstalled); }
    void ShowAbout() { m_services.dialogs.ShowAbout(); }

private:
    LauncherServices m_services;
    Catalogue& m_catalogue;
    ButtonSounds m_sounds;
    GameView m_view;
    StartedPrograms m_programs;
};

inline const std::string kWelcomeTip = "Tip of the day : Click on a button to add a game.";
inline const std::string kWelcomeTitle = "Welcome to the Korvo Control Panel";
inline const std::string kNoGamesInstalled = "No games have been installed yet!";

} // namespace launcher
