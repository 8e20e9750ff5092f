#include "GameView.h"

#include "DataPath.h"

#include <cmath>

namespace launcher {

namespace {
constexpr korvo::Rgb kWhite{255, 255, 255};
constexpr korvo::Rgb kButtonColour{0, 192, 192};

// The window's controls are hidden until the window's code shows them.
Control control(int left, int top, int width, int height, std::string caption = {}) {
    return korvo::PlacedControl(left, top, width, height, false, std::move(caption));
}
} // namespace

MainForm::MainForm() {
    Control button = control(120, 135, 1485, 1050);
    button.BackColor = kButtonColour;
    cmd_Play.push_back(button);
    buttons.emplace_back();
    Control label = control(195, 1440, 1110, 255, "Korvo's Game");
    label.ForeColor = kWhite;
    lb_Game.push_back(label);
    pb_ButtonHighlight = control(45, 60, 1635, 1200);
    pb_ButtonHighlight.Picture = korvo::dataPath("highlight.gif");
    const std::array<int, 4> lefts{1770, 2610, 3405, 4155};
    const std::array<int, 4> tops{150, 165, 135, 135};
    for (std::size_t k = 0; k < cmd_OtherGames.size(); ++k) {
        cmd_OtherGames[k] = control(lefts[k], tops[k], 675, 600);
        cmd_OtherGames[k].BackColor = kButtonColour;
        cmd_OtherGames[k].Picture = korvo::dataPath("switch " + std::to_string(k + 1) + ".gif");
    }
    lb_Other = control(1710, 735, 780, 570, "Other Games");
    lb_Other.ForeColor = kWhite;
}

GameView::GameView(Catalogue& catalogue, korvo::Random& random, const Screen& screen,
                   ButtonSounds& sounds)
    : m_catalogue(catalogue), m_random(random), m_screen(screen), m_sounds(sounds),
      m_highlightDX(m_form.cmd_Play[0].Left - m_form.pb_ButtonHighlight.Left),
      m_highlightDY(m_form.cmd_Play[0].Top - m_form.pb_ButtonHighlight.Top) {}

std::optional<GameButton> GameView::button(int i) const {
    if (i < 0 || i >= m_buttonCount) {
        return std::nullopt;
    }
    return m_form.buttons[static_cast<std::size_t>(i)];
}

std::string GameView::ButtonName(int i) const {
    const auto shown = button(i);
    if (!shown || shown->game < 0 || shown->game >= m_catalogue.GameCount()) {
        return {};
    }
    return m_catalogue.Games[static_cast<std::size_t>(shown->game)].Name;
}

void GameView::RefreshGames(bool wantInstalled) {
    m_form.Height = 1000;
    m_form.Width = 1000;
    UnloadGameButtons();
    for (Control& frame : m_form.cmd_OtherGames) {
        frame.Visible = false;
    }
    // The switch stays hidden until it has its new place; a tick would otherwise show it at the
    // old one, over the new buttons.
    m_switchAnimating = false;
    HideHighlight();
    m_catalogue.Clear();
    m_form.t_AnimateEnabled = true;
    m_catalogue.LoadGamesFile();
    m_catalogue.ScanComponentsDir();
    m_catalogue.ShowingInstalled = wantInstalled && !m_catalogue.NoGamesInstalled();
    if (m_catalogue.ShowingInstalled) {
        ShowGames(true);
    } else {
        ShowGames(false);
        AddGameButton({}, kNewGame, {GameButton::Kind::NewGames, m_catalogue.AddNewGameEntry()});
    }
    PlaceViewSwitch();
}

void GameView::UnloadGameButtons() {
    m_form.cmd_Play.resize(1);
    m_form.buttons.resize(1);
    m_form.lb_Game.resize(1);
    m_buttonCount = 0;
}

void GameView::ShowGames(bool installed) {
    for (int i = 0; i < m_catalogue.GameCount(); ++i) {
        const GameRecord game = m_catalogue.Games[static_cast<std::size_t>(i)];
        if (game.installed != installed) {
            continue;
        }
        const std::string picture =
            installed ? m_catalogue.ScreenDumpPath(game.Name) : korvo::dataPath(game.Name + ".gif");
        // Every name starts with "Korvo's"; the caption is the rest, from its blank on.
        const std::string caption = game.Name.size() > 7 ? game.Name.substr(7) : std::string();
        // A catalogue record named like the new-games entry leads there too.
        const auto kind =
            game.Name == kNewGame ? GameButton::Kind::NewGames : GameButton::Kind::Game;
        AddGameButton(picture, caption, {kind, i});
    }
}

void GameView::AddGameButton(const std::string& picture, const std::string& caption,
                             GameButton leadsTo) {
    const int n = m_buttonCount;
    std::vector<Control>& buttons = m_form.cmd_Play;
    if (n > 0) {
        Control button = buttons[0];
        button.Visible = false;
        const Control& previous = buttons[static_cast<std::size_t>(n - 1)];
        if (n % 5 != 0) {
            button.Top = previous.Top;
            button.Left = previous.Left + buttons[0].Width * 4 / 3;
        } else {
            button.Top = previous.Top + previous.Height * 5 / 3;
            button.Left = buttons[0].Left;
        }
        buttons.push_back(button);
        m_form.buttons.emplace_back();
        m_form.lb_Game.push_back(m_form.lb_Game[0]);
    }
    const auto index = static_cast<std::size_t>(n);
    Control& button = buttons[index];
    button.Caption = picture.empty() ? "?" : "";
    button.Picture = picture;
    m_form.buttons[index] = leadsTo;
    button.Visible = true;

    Control& label = m_form.lb_Game[index];
    label.Caption = caption;
    label.Width = m_screen.CaptionWidth(caption);
    label.Top = button.Top + button.Height + 50;
    label.Left = button.Left + button.Width / 2 - label.Width / 2;
    label.Visible = true;

    if (label.Top + 1000 > m_form.Height) {
        m_form.Height = label.Top + 1000;
    }
    if (button.Left + button.Width > m_form.Width) {
        m_form.Width = button.Left + button.Width + buttons[0].Left + 100;
    }
    m_buttonCount = n + 1;
}

void GameView::PlaceViewSwitch() {
    const int m = m_buttonCount;
    const Control& last = m_form.cmd_Play[static_cast<std::size_t>(m - 1)];
    const Control& first = m_form.cmd_Play[0];
    int top = 0;
    int left = 0;
    if (m % 5 == 0) {
        top = last.Top + last.Height * 5 / 3;
        left = first.Left;
    } else {
        top = last.Top;
        left = last.Left + first.Width * 4 / 3;
    }
    for (Control& frame : m_form.cmd_OtherGames) {
        frame.Top = top;
        frame.Left = left;
    }
    // The frame of the moment shows at once: the animation stands still while another window is
    // active, and the switch must not be missing until it moves again.
    m_form.cmd_OtherGames[static_cast<std::size_t>(m_switchFrame)].Visible = true;
    const Control& frame = m_form.cmd_OtherGames[0];
    Control& label = m_form.lb_Other;
    label.Top = top + frame.Height;
    label.Left = left - 50;
    label.Caption = m_catalogue.ShowingInstalled ? "Other Games" : "Installed Games";
    label.Visible = true;
    m_switchAnimating = true;
    if (label.Top + label.Height + 800 > m_form.Height) {
        m_form.Height = label.Top + label.Height + 800;
    }
    if (left + frame.Width + 100 > m_form.Width) {
        m_form.Width = left + frame.Width + 200;
    }
}

void GameView::AnimateButtons() {
    for (std::size_t i = 0; i < static_cast<std::size_t>(m_buttonCount); ++i) {
        const double r1 = m_random.Rnd();
        const double r2 = m_random.Rnd();
        const Control& button = m_form.cmd_Play[i];
        Control& label = m_form.lb_Game[i];
        label.Top = button.Top + button.Height + 50 + 20 - static_cast<int>(std::floor(r1 * 40));
        label.Left = button.Left + button.Width / 2 - label.Width / 2 + 20 -
                     static_cast<int>(std::floor(r2 * 40));
    }
    if (m_switchAnimating) {
        m_form.cmd_OtherGames[static_cast<std::size_t>(m_switchFrame)].Visible = false;
        m_switchFrame = (m_switchFrame + 1) % 4;
        m_form.cmd_OtherGames[static_cast<std::size_t>(m_switchFrame)].Visible = true;
    }
}

void GameView::PointerOnButton(int i) {
    if (i < 0 || i >= m_buttonCount) {
        return;
    }
    Control& frame = m_form.pb_ButtonHighlight;
    if (i != m_lastHighlight || !frame.Visible) {
        m_sounds.pointed();
        const Control& button = m_form.cmd_Play[static_cast<std::size_t>(i)];
        frame.Left = button.Left - m_highlightDX;
        frame.Top = button.Top - m_highlightDY;
        frame.Visible = true;
        m_lastHighlight = i;
    }
}

} // namespace launcher
