#pragma once

#include "Control.h"

#include <optional>
#include <string>

namespace launcher {

// The component file of a game of the family, by its name in any case; nothing for a name the
// table does not hold.
std::optional<std::string> ProductFile(const std::string& gameName);

// The information page of a game that is not installed, as plain data (twips): the caption,
// the picture, the story that scrolls up in its box until its end is in view, and the way to
// download the game.
class InfoPage {
public:
    InfoPage();

    std::string Caption = "Korvo's Game";
    std::string ScreenDump;    // the picture file shown in pb_ScreenDump
    korvo::Control p_StoryBox; // clips lbl_Story
    korvo::Control lbl_Story;  // its Height is set by whoever lays out its text
    std::string lb_Install = "This component has not been added.";
    bool t_Scroll_Enabled = true;

    // What the main window fills in before it shows the page.
    void SetGame(const std::string& name, const std::string& picture, const std::string& story);
    void t_Scroll_Timer();
    // "&Add": the component file to download once the user has agreed; nothing when the user
    // declines or the page's game has no component (the user is told).
    std::optional<std::string> cmd_Download_Click() const;
};

} // namespace launcher
