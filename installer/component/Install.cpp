#include "Install.h"

#include "ComponentLock.h"
#include "Extraction.h"
#include "Folders.h"
#include "GameFolders.h"
#include "Manifest.h"
#include "Merge.h"
#include "SystemError.h"

#include <cerrno>
#include <set>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvo {

namespace {

void writeWholeFile(int folder, const std::string& name, const std::string& text,
                    const std::string& display) {
    const UniqueFd file(
        ::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
    if (file.get() < 0) {
        throw SystemError(errno, "Cannot write " + display);
    }
    if (::write(file.get(), text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
        throw SystemError(errno == 0 ? ENOSPC : errno, "Cannot write " + display);
    }
}

class TemporaryFolder {
public:
    explicit TemporaryFolder(const std::filesystem::path& componentsDir) {
        std::string pattern = (componentsDir / kTemporaryPrefix).string() + "XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw SystemError(errno,
                              "Cannot write to the components folder " + componentsDir.string());
        }
        m_path = pattern;
        m_fd.reset(::open(m_path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (m_fd.get() < 0) {
            throw SystemError(errno, "Cannot open " + m_path.string());
        }
    }
    ~TemporaryFolder() {
        m_fd.reset();
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    int fd() const { return m_fd.get(); }

private:
    std::filesystem::path m_path;
    UniqueFd m_fd;
};

// Leftovers of an installer that was killed; only called while holding the lock, so no
// installer is using them.
void removeStaleTemporaries(const std::filesystem::path& componentsDir) {
    std::error_code error;
    for (const auto& item : std::filesystem::directory_iterator(componentsDir, error)) {
        const std::string name = item.path().filename().string();
        if (name.starts_with(kTemporaryPrefix) && item.is_directory(error) &&
            !item.is_symlink(error)) {
            std::filesystem::remove_all(item.path(), error);
        }
    }
}

// Writes the manifest and puts the extracted game folder in place: in one step when the game
// folder is new, else merged into the existing one.
void placeGame(const std::filesystem::path& componentsDir, int componentsFd, int temporary,
               const std::string& game, Extractor& extractor) {
    const int gameFd = extractor.gameFd();
    std::vector<std::string> made = extractor.made();
    made.emplace_back(kManifestName);
    const std::string manifestDisplay = game + '/' + std::string(kManifestName);

    // In place in one step when the game folder is new.
    const UniqueFd existing(
        ::openat(componentsFd, game.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (existing.get() < 0 && errno != ENOENT) {
        throw SystemError(errno, "Cannot use the existing folder " + game);
    }
    if (existing.get() < 0) {
        writeWholeFile(gameFd, std::string(kManifestName), formatManifest(made), manifestDisplay);
        // Everything written reaches the disk before the folder appears in place.
        if (::syncfs(gameFd) != 0) {
            throw SystemError(errno, "Cannot write the game to the disk");
        }
        if (::renameat2(temporary, game.c_str(), componentsFd, game.c_str(), RENAME_NOREPLACE) !=
            0) {
            throw SystemError(errno, "Cannot put " + game + " in place");
        }
        return;
    }
    // A damaged manifest names nothing: then every file in the way is kept as the user's.
    const auto installed = installedFiles(existing.get());
    const std::set<std::string> ours =
        installed ? std::set<std::string>(installed->entries.begin(), installed->entries.end())
                  : std::set<std::string>();
    std::vector<std::string> named(ours.begin(), ours.end());
    named.insert(named.end(), made.begin(), made.end());
    writeWholeFile(gameFd, std::string(kManifestName), formatManifest(named), manifestDisplay);
    if (::syncfs(gameFd) != 0) {
        throw SystemError(errno, "Cannot write the game to the disk");
    }
    if (::mkdirat(temporary, "replaced", 0700) != 0) {
        throw SystemError(errno, "Cannot write to the components folder " + componentsDir.string());
    }
    const UniqueFd backup = openFolder(temporary, "replaced", "");
    mergeGameFolder(gameFd, existing.get(), backup.get(), game, made, ours);
}

void install(const std::filesystem::path& component, const std::filesystem::path& componentsDir,
             const PublicKey& key, const InstallHooks& hooks, InstallResult& result) {
    const ComponentCheck check = verifyComponent(component, key);
    if (!check.ok) {
        throw InstallError(check.reason);
    }
    const UniqueFd componentsFd(::open(componentsDir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (componentsFd.get() < 0) {
        throw SystemError(errno, "Cannot open the components folder " + componentsDir.string());
    }
    const UniqueFd file(::open(component.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) {
        throw SystemError(errno, "Cannot read " + component.string());
    }
    ArchiveSource source;
    source.fd = file.get();
    source.offset = check.archiveOffset;
    source.size = check.archiveSize;
    source.hooks = &hooks;
    const ArchivePtr reader = newReader();
    archive_entry* entry = nullptr;
    if (archive_read_open(reader.get(), &source, nullptr, &ArchiveSource::read, nullptr) !=
        ARCHIVE_OK) {
        throw InstallError(archiveFailure(reader.get(), source));
    }

    EntryRules rules;
    // A warning (a name that the C locale cannot show, say) is no failure: names are read as
    // UTF-8.
    int status = archive_read_next_header(reader.get(), &entry);
    if (status == ARCHIVE_EOF) {
        throw InstallError("The component holds no game.");
    }
    if (status < ARCHIVE_WARN) {
        throw InstallError(archiveFailure(reader.get(), source));
    }
    ArchiveEntry described = describe(entry);
    if (const std::string fault = rules.check(described); !fault.empty()) {
        throw InstallError(fault);
    }
    const std::string game = rules.gameFolder();
    result.gameFolder = game;
    if (hooks.named) {
        hooks.named(game);
    }

    const ComponentLock lock(componentsDir, hooks.lockTimeout, hooks.waiting, hooks.cancelled);
    removeStaleTemporaries(componentsDir);
    const TemporaryFolder temporary(componentsDir);
    Extractor extractor(temporary.fd(), game);
    while (true) {
        try {
            extractor.extract(reader.get(), entry, described);
        } catch (const InstallError&) {
            throw InstallError(archiveFailure(reader.get(), source));
        }
        status = archive_read_next_header(reader.get(), &entry);
        if (status == ARCHIVE_EOF) {
            break;
        }
        if (status < ARCHIVE_WARN) {
            throw InstallError(archiveFailure(reader.get(), source));
        }
        described = describe(entry);
        if (const std::string fault = rules.check(described); !fault.empty()) {
            throw InstallError(fault);
        }
    }
    if (hooks.cancelled && hooks.cancelled()) {
        throw InstallError("The installation was cancelled.");
    }

    placeGame(componentsDir, componentsFd.get(), temporary.fd(), game, extractor);
}

} // namespace

InstallResult installComponent(const std::filesystem::path& component,
                               const std::filesystem::path& componentsDir, const PublicKey& key,
                               const InstallHooks& hooks) {
    InstallResult result;
    try {
        install(component, componentsDir, key, hooks, result);
        result.ok = true;
    } catch (const std::exception& error) {
        result.ok = false;
        result.reason = error.what();
    }
    return result;
}

} // namespace korvo
