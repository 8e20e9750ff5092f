#include "ControlPanel.h"

namespace launcher {

ControlPanel::ControlPanel(LauncherServices services, Catalogue& catalogue,
                           Installation& installation)
    : m_services(services), m_catalogue(catalogue), m_sounds(services.sound),
      m_view(catalogue, services.random, services.screen, m_sounds),
      m_programs(services, catalogue, m_view, installation) {}

void ControlPanel::Form_Load() {
    m_view.form().Visible = true;
    m_view.RefreshGames(true);
}

void ControlPanel::Welcome() {
    if (!m_catalogue.ShowingInstalled) {
        m_services.messages.Show({kWelcomeTip, korvo::MessageIcon::Information,
                                  korvo::MessageButtons::Ok, kWelcomeTitle});
    }
}

void ControlPanel::cmd_Play_MouseDown(bool leftButton) {
    if (leftButton) {
        m_sounds.pressed();
    }
}

void ControlPanel::cmd_OtherGames_Click() {
    if (m_catalogue.NoGamesInstalled() && !m_catalogue.ShowingInstalled) {
        m_services.messages.Show(
            {kNoGamesInstalled, korvo::MessageIcon::Information, korvo::MessageButtons::Ok, {}});
        return;
    }
    m_view.RefreshGames(!m_catalogue.ShowingInstalled);
}

} // namespace launcher
