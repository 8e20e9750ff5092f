#include "ControlPanel.h"

#include <stdexcept>

namespace launcher {

int ControlPanel::gameOf(int i) const {
    if (i < 0 || i >= m_buttonCount) {
        throw std::out_of_range("no game button " + std::to_string(i));
    }
    const int game = std::stoi(m_form.cmd_Play_Tag[i]);
    if (game < 0 || game >= m_catalogue.GameCount()) {
        throw std::out_of_range("no game " + std::to_string(game));
    }
    return game;
}

void ControlPanel::StartGame(int i) {
    try {
        const GameRecord game = m_catalogue.Games[gameOf(i)];
        if (game.Name == kNewGame) {
            if (m_services.messages.Show({kNewGamesQuestion,
                                          korvo::MessageIcon::Information,
                                          korvo::MessageButtons::OkCancel,
                                          {}})) {
                m_services.dialogs.ShowNewReleases();
            }
            return;
        }
        if (game.State != kExists) {
            ShowGameInfo(i);
            return;
        }
        m_form.t_AnimateEnabled = false;
        if (m_services.shell.StartProgram(m_catalogue.GameExePath(game.Name)) == 0) {
            throw std::runtime_error("cannot start " + game.Name);
        }
        m_services.screen.DoEvents();
        m_form.t_PauseEnabled = true;
        m_form.Visible = false;
    } catch (const std::exception&) {
        m_services.messages.Show(
            {kStartFailure, korvo::MessageIcon::Exclamation, korvo::MessageButtons::Ok, {}});
    }
}

void ControlPanel::ShowGameInfo(int i) {
    const GameRecord& game = m_catalogue.Games[gameOf(i)];
    GameInfo page;
    page.Caption = game.Name;
    page.Picture = m_form.cmd_Play[i].Picture;
    page.lb_Install = page.Caption + " has not been installed.";
    page.lbl_Story = game.Story;
    m_services.dialogs.ShowGameInfo(page);
}

void ControlPanel::t_Pause_Timer() {
    FindGameWindow();
    m_form.t_ShowEnabled = true;
    m_form.t_PauseEnabled = false;
}

void ControlPanel::FindGameWindow() {
    m_gameWindow = m_services.windows.FindWindowByTitle("korvo's", "help");
}

bool ControlPanel::GameWindowAlive() const {
    return m_gameWindow != 0 && m_services.windows.IsWindow(m_gameWindow);
}

void ControlPanel::t_Show_Timer() {
    if (!GameWindowAlive()) {
        m_form.Visible = true;
        m_form.t_AnimateEnabled = true;
        m_form.t_ShowEnabled = false;
    }
}

} // namespace launcher
