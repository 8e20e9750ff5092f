#pragma once

#include "ChildProgram.h"
#include "Messages.h"
#include "Random.h"
#include "SoundBoard.h"
#include "Timer.h"
#include "WindowFinder.h"

#include <string>

namespace launcher {

// What the information page of a game that is not installed shows.
struct GameInfo {
    std::string Caption;    // the game's name
    std::string Picture;    // its button's picture, empty for none
    std::string lb_Install; // the name + " has not been installed."
    std::string lbl_Story;  // the catalogue's story
};

// The launcher's other windows and actions, which the main window starts; each is shown
// modally, owned by the main window, and destroyed when it closes.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual void ShowNewReleases() = 0;                  // frm_New
    virtual void ShowGameInfo(const GameInfo& page) = 0; // frm_Blab
    virtual void ShowAbout() = 0;                        // frm_About
    // Opens a file or an address: style 1 minimised, 2 maximised, else normal. Help files open
    // in the programs' own help window. False when it could not be opened, which the user has
    // been told.
    virtual bool OpenDocument(const std::string& document, int style) = 0;
};

// The system's entry for removing the installed games (RegFunctions).
class UninstallEntry {
public:
    virtual ~UninstallEntry() = default;
    // componentsDir ends in "/". Failures are passed over: the installation goes on without it.
    virtual void WriteUninstallInfo(const std::string& componentsDir) = 0;
};

// What the logic asks of the window system.
class Screen {
public:
    virtual ~Screen() = default;
    // The width in twips that a game's caption label takes for its text.
    virtual int CaptionWidth(const std::string& caption) const = 0;
};

struct LauncherServices {
    korvo::SoundBoard& sound;
    korvo::Random& random;
    korvo::WindowFinder& windows;
    korvo::Programs& programs;
    korvo::Timers& timers;
    korvo::Messages& messages;
    Screen& screen;
    Dialogs& dialogs;
};

} // namespace launcher
