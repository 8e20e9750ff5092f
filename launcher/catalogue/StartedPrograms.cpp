#include "StartedPrograms.h"

#include "DataPath.h"

#include <filesystem>

namespace launcher {

namespace {
// How often the hidden launcher looks whether the game's window is still there.
constexpr std::chrono::milliseconds kGameWindowCheck(500);
} // namespace

StartedPrograms::StartedPrograms(LauncherServices services, Catalogue& catalogue, GameView& view,
                                 Installation& installation)
    : m_services(services), m_catalogue(catalogue), m_view(view), m_installation(installation),
      m_gameWatch(services.timers.make()) {}

void StartedPrograms::notify() {
    if (changed) {
        changed();
    }
}

void StartedPrograms::StartGame(int i) {
    const std::optional<GameButton> button = m_view.button(i);
    if (!button || button->game < 0 || button->game >= m_catalogue.GameCount()) {
        m_services.messages.Show(
            {kStartFailure, korvo::MessageIcon::Exclamation, korvo::MessageButtons::Ok, {}});
        return;
    }
    const GameRecord game = m_catalogue.Games[static_cast<std::size_t>(button->game)];
    if (button->kind == GameButton::Kind::NewGames) {
        if (m_services.messages.Show({kNewGamesQuestion,
                                      korvo::MessageIcon::Information,
                                      korvo::MessageButtons::OkCancel,
                                      {}})) {
            m_services.dialogs.ShowNewReleases();
        }
        return;
    }
    if (!game.installed) {
        ShowGameInfo(i, button->game);
        return;
    }
    MainForm& form = m_view.form();
    form.t_AnimateEnabled = false;
    const int run = ++m_gameRuns;
    const long long pid = m_services.programs.start(
        m_catalogue.GameExePath(game.Name), {},
        [this, run](korvo::ExitStatus status) { gameEnded(run, status); });
    if (pid == 0) {
        m_services.messages.Show(
            {kStartFailure, korvo::MessageIcon::Exclamation, korvo::MessageButtons::Ok, {}});
        return;
    }
    m_game = pid;
    m_gameWindow = 0;
    form.Visible = false;
    m_gameWatch->start(kGameWindowCheck, [this] { checkGameWindow(); });
}

void StartedPrograms::ShowGameInfo(int i, int game) {
    const GameRecord& record = m_catalogue.Games[static_cast<std::size_t>(game)];
    GameInfo page;
    page.Caption = record.Name;
    page.Picture = m_view.form().cmd_Play[static_cast<std::size_t>(i)].Picture;
    page.lb_Install = page.Caption + " has not been installed.";
    page.lbl_Story = record.Story;
    m_services.dialogs.ShowGameInfo(page);
}

// The game's own window, once it has one, is what the player closes: the launcher comes back
// as soon as it has gone, even if the process takes a moment longer to end.
void StartedPrograms::checkGameWindow() {
    if (m_game == 0) {
        return;
    }
    if (m_gameWindow == 0) {
        m_gameWindow = m_services.windows.FindProcessWindow(m_game, "korvo's", "help");
        return;
    }
    if (!m_services.windows.IsWindow(m_gameWindow)) {
        showAgain();
        notify();
    }
}

void StartedPrograms::gameEnded(int run, korvo::ExitStatus status) {
    // The end of a run whose window has gone, possibly while the next run plays: the launcher
    // came back already.
    if (run != m_gameRuns || m_game == 0) {
        return;
    }
    const bool failedAtOnce = m_gameWindow == 0 && !status.exitedWith(0);
    showAgain();
    notify();
    if (failedAtOnce) {
        m_services.messages.Show(
            {kStartFailure, korvo::MessageIcon::Exclamation, korvo::MessageButtons::Ok, {}});
    }
}

void StartedPrograms::showAgain() {
    m_gameWatch->stop();
    m_game = 0;
    m_gameWindow = 0;
    MainForm& form = m_view.form();
    form.Visible = true;
    form.t_AnimateEnabled = true;
}

bool StartedPrograms::InstallComponent(const std::string& path, const std::string& game) {
    if (!m_installation.InstallComponent(
            path, [this](SetupOutcome outcome) { jobEnded(Job::Install, outcome); }, game)) {
        return false;
    }
    startJob(Job::Install);
    return true;
}

void StartedPrograms::RemoveGames() {
    const std::string uninstaller = m_catalogue.ComponentsDir() + kUninstallerName;
    std::error_code error;
    if (!std::filesystem::is_regular_file(uninstaller, error)) {
        m_services.messages.Show(
            {kNothingToRemove, korvo::MessageIcon::Exclamation, korvo::MessageButtons::Ok, {}});
        return;
    }
    if (m_services.programs.start(uninstaller, {"CP"}, [this](korvo::ExitStatus) {
            jobEnded(Job::Removal, SetupOutcome::Installed);
        }) == 0) {
        m_services.messages.Show(
            {"Unable to start the uninstaller " + uninstaller + ".\n\nNo game has been removed.",
             korvo::MessageIcon::Exclamation,
             korvo::MessageButtons::Ok,
             {}});
        return;
    }
    startJob(Job::Removal);
}

void StartedPrograms::startJob(Job job) {
    m_job = job;
    m_view.form().Enabled = false;
}

void StartedPrograms::jobEnded(Job job, SetupOutcome outcome) {
    m_job = Job::None;
    DeleteDownloadedComponents(m_catalogue.ComponentsDir());
    MainForm& form = m_view.form();
    form.Enabled = true;
    form.Visible = true;
    ++form.Raises;
    m_view.RefreshGames(m_catalogue.ShowingInstalled);
    notify();
    if (job == Job::Install && outcome == SetupOutcome::Installed) {
        m_services.messages.Show(
            {kInstallComplete, korvo::MessageIcon::Information, korvo::MessageButtons::Ok, {}});
    }
}

void StartedPrograms::ShowHelp() {
    if (m_services.windows.FindProcessWindow(korvo::ownProcessId(), kHelpTitle, {}) != 0) {
        return; // already open; it is not brought to the front
    }
    m_services.dialogs.OpenDocument(korvo::dataPath(kHelpFile), 0);
}

} // namespace launcher
