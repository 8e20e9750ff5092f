#include "Installation.h"

#include "ComponentLock.h"
#include "DataPath.h"
#include "GameFolders.h"
#include "Text.h"

#include <QLockFile>
#include <QString>

#include <compare>
#include <filesystem>
#include <stdexcept>
#include <system_error>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace launcher {

namespace {

std::string withoutFinalSlash(const std::string& dir) {
    return dir.empty() ? dir : dir.substr(0, dir.size() - 1);
}

// A launcher still downloading into the file holds a lock on it.
bool inUse(const fs::path& file) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool locked = ::flock(fd, LOCK_SH | LOCK_NB) != 0;
    ::close(fd);
    return locked;
}

// A downloaded component lies in the components directory; the shipped one in the add/ folder.
bool inComponentsDir(const std::string& path, const std::string& componentsDir) {
    std::error_code error;
    return fs::equivalent(fs::path(path).parent_path(), componentsDir, error) && !error;
}

// Copies the uninstaller through a temporary name, so that a copy still running is never
// overwritten in place and a failed copy leaves the old one whole.
void copyUninstaller(const std::string& from, const std::string& to) {
    const std::string part = to + ".part";
    fs::copy_file(from, part, fs::copy_options::overwrite_existing);
    std::error_code error;
    fs::rename(part, to, error);
    if (error) {
        fs::remove(part, error);
        throw std::runtime_error("cannot put the uninstaller at " + to);
    }
}

} // namespace

Installation::Installation(InstallationServices services, const Catalogue& catalogue,
                           korvo::PublicKey key)
    : m_services(services), m_catalogue(catalogue), m_key(key) {}

Installation::~Installation() = default;

SetupOutcome OutcomeOf(korvo::ExitStatus status) {
    if (status.signalled) {
        return SetupOutcome::Broken;
    }
    switch (status.code) {
    case 0:
        return SetupOutcome::Installed;
    case 1:
        return SetupOutcome::Failed;
    case 2:
        return SetupOutcome::Cancelled;
    default:
        return SetupOutcome::Broken;
    }
}

bool Installation::InstallComponent(const std::string& path,
                                    std::function<void(SetupOutcome)> ended,
                                    const std::string& game) {
    const std::string& componentsDir = m_catalogue.ComponentsDir();
    korvo::UniqueFd copy;
    try {
        copy = korvo::sealedCopy(path);
    } catch (const std::exception& error) {
        refuse(path, error.what());
        return false;
    }
    const korvo::ComponentCheck check = korvo::verifyComponent(copy.get(), m_key);
    if (!check.ok) {
        refuse(path, check.reason);
        return false;
    }
    // Setup programs inside older components cannot be trusted to refuse: the launcher does.
    const korvo::ComponentInfo& info = check.info;
    if (!game.empty() && !info.game.empty() &&
        korvo::upperCase(info.game) != korvo::upperCase(game)) {
        refuse(path, "It holds " + info.game + ", not " + game + ".");
        return false;
    }
    if (!info.version.empty()) {
        const auto installed = korvo::installedVersion(fs::path(componentsDir) / info.game);
        if (installed && std::is_lt(korvo::compareVersions(info.version, *installed))) {
            refuse(path, {}, "A newer version of " + info.game + " is already installed.");
            return false;
        }
    }
    const std::string dir = withoutFinalSlash(componentsDir);
    std::string failure; // what the step under way would fail at, for the user
    try {
        const std::string uninstaller = componentsDir + kUninstallerName;
        if (!fs::exists(uninstaller) && !fs::is_directory(dir)) {
            failure = "The folder " + dir + " could not be made.";
            fs::create_directory(dir);
        }
        failure = "The uninstaller could not be copied into " + dir + ".";
        copyUninstaller(korvo::dataPath(kUninstallerName), uninstaller);
        m_services.uninstallEntry.WriteUninstallInfo(componentsDir);
        failure = "The installer did not start.";
        const auto finished = [this, path, ended = std::move(ended)](korvo::ExitStatus status) {
            const SetupOutcome outcome = OutcomeOf(status);
            if (outcome == SetupOutcome::Broken) {
                reportBroken(path);
            }
            if (ended) {
                ended(outcome);
            }
        };
        // The checked copy itself runs: the child opens it by its descriptor, which it holds
        // until its own program replaces it.
        const std::string verified = "/proc/self/fd/" + std::to_string(copy.get());
        if (m_services.programs.start(verified, {dir}, finished) == 0) {
            throw std::runtime_error(failure);
        }
        return true;
    } catch (const std::exception&) {
        const std::string why = failure.empty() ? std::string() : "\n" + failure;
        m_services.messages.Show({kAddFailure + path + why,
                                  korvo::MessageIcon::Exclamation,
                                  korvo::MessageButtons::Ok,
                                  {}});
        return false;
    }
}

void Installation::reportBroken(const std::string& path) {
    m_services.messages.Show({kAddFailure + path + "\nThe installer ended before it had finished.",
                              korvo::MessageIcon::Exclamation,
                              korvo::MessageButtons::Ok,
                              {}});
}

void Installation::refuse(const std::string& path, const std::string& reason,
                          const std::string& message) {
    if (inComponentsDir(path, m_catalogue.ComponentsDir())) {
        std::error_code ignored;
        fs::remove(path, ignored);
    }
    m_services.messages.Show({message.empty() ? kAddFailure + path + "\n" + reason : message,
                              korvo::MessageIcon::Exclamation,
                              korvo::MessageButtons::Ok,
                              {}});
}

bool Installation::ShippedInstallWanted() const {
    const std::string shipped = korvo::dataPath(kShippedComponents);
    std::error_code error;
    if (!fs::is_regular_file(shipped, error)) {
        return false;
    }
    if (!korvo::holdsAnyGame(m_catalogue.ComponentsDir())) {
        return true;
    }
    // An upgraded package ships a newer version of an installed game. A component without a
    // version, or one that fails its check, is never newer.
    const korvo::ComponentCheck check = korvo::verifyComponent(fs::path(shipped), m_key);
    if (!check.ok || check.info.version.empty()) {
        return false;
    }
    const auto installed =
        korvo::installedVersion(fs::path(m_catalogue.ComponentsDir()) / check.info.game);
    return installed && std::is_gt(korvo::compareVersions(check.info.version, *installed));
}

void Installation::StartUpInstall(std::function<void()> done) {
    if (!ShippedInstallWanted()) {
        done();
        return;
    }
    m_startUpDone = std::move(done);
    if (!holdStartUpLock()) {
        // Another launcher installs into the same folder: its lock goes with its installer.
        m_lockWait = m_services.timers.make();
        m_lockWait->start(std::chrono::milliseconds(500), [this] {
            if (holdStartUpLock()) {
                endStartUp();
            }
        });
        return;
    }
    if (!InstallComponent(korvo::dataPath(kShippedComponents),
                          [this](SetupOutcome) { endStartUp(); })) {
        endStartUp();
    }
}

void Installation::endStartUp() {
    m_lockWait.reset();
    m_startUpLock.reset();
    if (const std::function<void()> done = std::exchange(m_startUpDone, {})) {
        done();
    }
}

bool Installation::holdStartUpLock() {
    if (!m_startUpLock) {
        const std::string path = withoutFinalSlash(m_catalogue.ComponentsDir()) + ".lock";
        m_startUpLock = std::make_unique<QLockFile>(QString::fromStdString(path));
        // Held for as long as its installer runs; a launcher that ended left no live lock.
        m_startUpLock->setStaleLockTime(0);
    }
    return m_startUpLock->isLocked() || m_startUpLock->tryLock(0) ||
           m_startUpLock->error() != QLockFile::LockFailedError;
}

void DeleteDownloadedComponents(const std::string& componentsDir) {
    std::vector<fs::path> files;
    std::error_code error;
    for (fs::directory_iterator it(componentsDir, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        std::error_code ignored;
        if (name.size() >= 4 && korvo::upperCase(name.substr(name.size() - 4)) == ".CMP" &&
            !fs::is_directory(it->symlink_status(ignored)) && !inUse(it->path())) {
            files.push_back(it->path());
        }
    }
    if (files.empty()) {
        return;
    }
    try {
        const korvo::ComponentLock lock(componentsDir, std::chrono::milliseconds(0));
        for (const fs::path& file : files) {
            fs::remove(file, error);
        }
    } catch (const std::runtime_error&) {
        // An installer is still at work here; its component stays until the next clean-up.
    }
}

} // namespace launcher
