#pragma once

#include "ButtonSounds.h"
#include "Catalogue.h"
#include "Control.h"
#include "LauncherServices.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace launcher {

using korvo::Control;

// What a game button leads to: a game of the table, or the list of new games.
struct GameButton {
    enum class Kind { Game, NewGames };
    Kind kind = Kind::Game;
    int game = 0; // index into the catalogue's table
};

// The controls of the main window as plain data, in twips; the window shows them.
struct MainForm {
    MainForm();

    std::string Caption = "Game Control Panel";
    int Width = 1000; // outer size, frame included
    int Height = 1000;
    bool Visible = false;
    // False while an installer or the uninstaller runs: the window stays on screen and ignores
    // input.
    bool Enabled = true;
    // Counts the requests to bring the window to the front.
    int Raises = 0;

    // Game buttons and their caption labels, elements 0 .. ButtonCount - 1 in use; element 0
    // always exists.
    std::vector<Control> cmd_Play;
    std::vector<GameButton> buttons;
    std::vector<Control> lb_Game;
    Control pb_ButtonHighlight;
    // The four frames of the view switch, all at one spot; one shows at a time.
    std::array<Control, 4> cmd_OtherGames;
    Control lb_Other;

    bool t_AnimateEnabled = true;
};

// One view of the game table as a grid of picture buttons with their captions, the animated
// view switch after them and the highlight frame behind the button under the pointer. The window
// grows to hold them.
class GameView {
public:
    GameView(Catalogue& catalogue, korvo::Random& random, const Screen& screen,
             ButtonSounds& sounds);

    MainForm& form() { return m_form; }
    const MainForm& form() const { return m_form; }
    int ButtonCount() const { return m_buttonCount; }
    // What button i leads to; nothing for a button that is not shown.
    std::optional<GameButton> button(int i) const;
    // The full name of the game behind button i, for screen readers.
    std::string ButtonName(int i) const;

    // Rebuilds the table and the buttons; wantInstalled asks for the installed view, which a
    // table without installed games cannot show.
    void RefreshGames(bool wantInstalled);
    // One tick of the animation: the captions jitter, the switch shows its next frame.
    void AnimateButtons();
    // The pointer is on game button i: the frame goes behind it, with a thud when it moves.
    void PointerOnButton(int i);
    // The pointer is elsewhere: over the window, a caption or the switch.
    void HideHighlight() { m_form.pb_ButtonHighlight.Visible = false; }
    // A mouse button held down on the switch stops its animation until it is released.
    void SwitchPressed(bool down) { m_switchAnimating = !down; }

    int SwitchFrame() const { return m_switchFrame; }
    bool SwitchAnimating() const { return m_switchAnimating; }

private:
    void UnloadGameButtons();
    void ShowGames(bool installed);
    void AddGameButton(const std::string& picture, const std::string& caption, GameButton button);
    void PlaceViewSwitch();

    Catalogue& m_catalogue;
    korvo::Random& m_random;
    const Screen& m_screen;
    ButtonSounds& m_sounds;
    MainForm m_form;
    int m_buttonCount = 0;
    bool m_switchAnimating = false;
    int m_switchFrame = 0;
    int m_highlightDX = 0;
    int m_highlightDY = 0;
    int m_lastHighlight = 0;
};

} // namespace launcher
