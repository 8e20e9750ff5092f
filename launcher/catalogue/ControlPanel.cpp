#include "ControlPanel.h"

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
    cmd_Play_Tag.emplace_back();
    Control label = control(195, 1440, 1110, 255, "Korvo's Game");
    label.ForeColor = kWhite;
    lb_Game.push_back(label);
    pb_ButtonHighlight = control(45, 60, 1635, 1200);
    const std::array<int, 4> lefts{1770, 2610, 3405, 4155};
    const std::array<int, 4> tops{150, 165, 135, 135};
    for (std::size_t k = 0; k < cmd_OtherGames.size(); ++k) {
        cmd_OtherGames[k] = control(lefts[k], tops[k], 675, 600);
        cmd_OtherGames[k].BackColor = kButtonColour;
    }
    lb_Other = control(1710, 735, 780, 570, "Other Games");
    lb_Other.ForeColor = kWhite;
}

ControlPanel::ControlPanel(LauncherServices services, Catalogue& catalogue)
    : m_services(services), m_catalogue(catalogue) {
    m_form.pb_ButtonHighlight.Picture = korvo::dataPath("highlight.gif");
    for (std::size_t k = 0; k < m_form.cmd_OtherGames.size(); ++k) {
        m_form.cmd_OtherGames[k].Picture =
            korvo::dataPath("switch " + std::to_string(k + 1) + ".gif");
    }
}

void ControlPanel::Form_Load() {
    m_highlightDX = m_form.cmd_Play[0].Left - m_form.pb_ButtonHighlight.Left;
    m_highlightDY = m_form.cmd_Play[0].Top - m_form.pb_ButtonHighlight.Top;
    m_form.Visible = true;
    RefreshGames(true);
    m_services.screen.DoEvents();
    if (!m_catalogue.ShowingInstalled) {
        m_services.messages.Show({kWelcomeTip, korvo::MessageIcon::Information,
                                  korvo::MessageButtons::Ok, kWelcomeTitle});
    }
}

void ControlPanel::RefreshGames(bool wantInstalled) {
    if (m_refreshing) {
        m_pendingView = wantInstalled;
        return;
    }
    m_refreshing = true;
    std::optional<bool> view = wantInstalled;
    while (view) {
        m_pendingView.reset();
        rebuild(*view);
        view = m_pendingView;
    }
    m_refreshing = false;
}

void ControlPanel::rebuild(bool wantInstalled) {
    m_form.Height = 1000;
    m_form.Width = 1000;
    UnloadGameButtons();
    for (Control& frame : m_form.cmd_OtherGames) {
        frame.Visible = false;
    }
    // The switch stays hidden until it has its new place; the ticks during the build would
    // otherwise show it at the old one, over the new buttons.
    m_switchAnimating = false;
    m_form.pb_ButtonHighlight.Visible = false;
    m_catalogue.Clear();
    m_form.t_AnimateEnabled = true;
    m_catalogue.LoadGamesFile();
    m_catalogue.ScanComponentsDir();
    m_catalogue.ShowingInstalled = wantInstalled && !m_catalogue.NoGamesInstalled();
    if (m_catalogue.ShowingInstalled) {
        ShowGamesInState(kExists);
    } else {
        ShowGamesInState({});
        AddGameButton({}, kNewGame, m_catalogue.AddNewGameEntry());
    }
    PlaceViewSwitch();
}

void ControlPanel::UnloadGameButtons() {
    m_form.cmd_Play.resize(1);
    m_form.cmd_Play_Tag.resize(1);
    m_form.lb_Game.resize(1);
    m_buttonCount = 0;
}

void ControlPanel::ShowGamesInState(const std::string& state) {
    for (int i = 0; i < m_catalogue.GameCount(); ++i) {
        const GameRecord game = m_catalogue.Games[i];
        if (game.State != state) {
            continue;
        }
        const std::string picture = game.State != kExists ? korvo::dataPath(game.Name + ".gif")
                                                          : m_catalogue.ScreenDumpPath(game.Name);
        // Every name starts with "Korvo's"; the caption is the rest, from its blank on.
        const std::string caption = game.Name.size() > 7 ? game.Name.substr(7) : std::string();
        AddGameButton(picture, caption, i);
    }
}

void ControlPanel::AddGameButton(const std::string& picture, const std::string& caption,
                                 int index) {
    const int n = m_buttonCount;
    std::vector<Control>& buttons = m_form.cmd_Play;
    if (n > 0) {
        Control button = buttons[0];
        button.Visible = false;
        const Control& previous = buttons[n - 1];
        if (n % 5 != 0) {
            button.Top = previous.Top;
            button.Left = previous.Left + buttons[0].Width * 4 / 3;
        } else {
            button.Top = previous.Top + previous.Height * 5 / 3;
            button.Left = buttons[0].Left;
        }
        buttons.push_back(button);
        m_form.cmd_Play_Tag.emplace_back();
        m_form.lb_Game.push_back(m_form.lb_Game[0]);
    }
    Control& button = buttons[n];
    button.Caption = picture.empty() ? "?" : "";
    button.Picture = picture;
    m_form.cmd_Play_Tag[n] = std::to_string(index);
    button.Visible = true;

    Control& label = m_form.lb_Game[n];
    label.Caption = caption;
    label.Width = m_services.screen.CaptionWidth(caption);
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
    m_services.screen.DoEvents();
}

void ControlPanel::PlaceViewSwitch() {
    const int m = m_buttonCount;
    const Control& last = m_form.cmd_Play[m - 1];
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

void ControlPanel::AnimateButtons() {
    for (int i = 0; i < m_buttonCount; ++i) {
        const double r1 = m_services.random.Rnd();
        const double r2 = m_services.random.Rnd();
        const Control& button = m_form.cmd_Play[i];
        Control& label = m_form.lb_Game[i];
        label.Top = button.Top + button.Height + 50 + 20 - static_cast<int>(std::floor(r1 * 40));
        label.Left = button.Left + button.Width / 2 - label.Width / 2 + 20 -
                     static_cast<int>(std::floor(r2 * 40));
    }
    if (m_switchAnimating) {
        m_form.cmd_OtherGames[m_switchFrame].Visible = false;
        m_switchFrame = (m_switchFrame + 1) % 4;
        m_form.cmd_OtherGames[m_switchFrame].Visible = true;
    }
}

void ControlPanel::cmd_Play_MouseMove(int i) {
    if (i < 0 || i >= m_buttonCount) {
        return;
    }
    Control& frame = m_form.pb_ButtonHighlight;
    if (i != m_lastHighlight || !frame.Visible) {
        PlayClip("thud.wav", false);
        frame.Left = m_form.cmd_Play[i].Left - m_highlightDX;
        frame.Top = m_form.cmd_Play[i].Top - m_highlightDY;
        frame.Visible = true;
        m_lastHighlight = i;
    }
}

void ControlPanel::cmd_Play_MouseDown(int /*i*/, bool leftButton) {
    if (leftButton) {
        PlayClip("click.wav", true);
    }
}

void ControlPanel::cmd_OtherGames_Click() {
    if (m_catalogue.NoGamesInstalled() && !m_catalogue.ShowingInstalled) {
        m_services.messages.Show(
            {kNoGamesInstalled, korvo::MessageIcon::Information, korvo::MessageButtons::Ok, {}});
        return;
    }
    RefreshGames(!m_catalogue.ShowingInstalled);
}

std::string ControlPanel::ButtonName(int i) const {
    try {
        return m_catalogue.Games[gameOf(i)].Name;
    } catch (const std::exception&) {
        return {};
    }
}

} // namespace launcher
