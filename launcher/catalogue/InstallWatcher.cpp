#include "ControlPanel.h"

#include "DataPath.h"
#include "Installation.h"

#include <filesystem>

namespace launcher {

void ControlPanel::StartInstallWatcher(const std::string& tag) {
    m_form.Enabled = false;
    m_form.t_Install_PauseTag = tag;
    m_form.t_Install_PauseEnabled = true;
}

void ControlPanel::t_Install_Pause_Timer() {
    m_form.t_Install_RefreshTag = m_form.t_Install_PauseTag;
    m_form.t_Install_RefreshEnabled = true;
    m_form.t_Install_PauseTag.clear();
    m_form.t_Install_PauseEnabled = false;
}

void ControlPanel::t_Install_Refresh_Timer() {
    if (m_services.windows.FindWindowByTitle("korvo's", "help") != 0) {
        return; // the installer or uninstaller still runs
    }
    // The timer stops before the rebuild, which lets events run: a tick meanwhile would rebuild
    // and announce a second time.
    m_form.t_Install_RefreshEnabled = false;
    DeleteDownloadedComponents(m_catalogue.ComponentsDir());
    m_form.Enabled = true;
    m_form.Visible = true;
    ++m_form.Raises;
    RefreshGames(m_catalogue.ShowingInstalled);
    if (m_form.t_Install_RefreshTag == kInstalling) {
        m_services.messages.Show(
            {kInstallComplete, korvo::MessageIcon::Information, korvo::MessageButtons::Ok, {}});
    }
}

void ControlPanel::m_Remove_Click() {
    const std::string uninstaller = m_catalogue.ComponentsDir() + kUninstallerName;
    std::error_code error;
    if (!std::filesystem::is_regular_file(uninstaller, error)) {
        m_services.messages.Show(
            {kNothingToRemove, korvo::MessageIcon::Exclamation, korvo::MessageButtons::Ok, {}});
        return;
    }
    StartInstallWatcher({});
    if (m_services.shell.StartProgram(uninstaller, {"CP"}) == 0) {
        // Nothing runs that the watcher could wait for: the window is usable again at once.
        m_form.t_Install_PauseEnabled = false;
        m_form.Enabled = true;
        m_services.messages.Show(
            {"Unable to start the uninstaller " + uninstaller + ".\n\nNo game has been removed.",
             korvo::MessageIcon::Exclamation,
             korvo::MessageButtons::Ok,
             {}});
    }
}

void ControlPanel::ShowHelp() {
    if (m_services.windows.FindWindowByTitle(kHelpTitle, {}) != 0) {
        return; // already open; it is not brought to the front
    }
    m_services.dialogs.OpenDocument(korvo::dataPath(kHelpFile), 0);
}

} // namespace launcher
