#include "Staging.h"

#include "Folders.h"
#include "GameFolders.h"
#include "Manifest.h"

#include <cerrno>
#include <charconv>
#include <optional>
#include <random>
#include <stdexcept>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvo {

namespace {

constexpr std::string_view kJournalHeader = "Korvo setup journal 1";
// Where the old game folder waits between the pair of renames.
constexpr const char* kOldFolder = "old";
constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

struct Journal {
    std::string staging;
    std::string game;
    ino_t newFolder = 0;
};

std::string formatJournal(const Journal& journal) {
    return std::string(kJournalHeader) + "\nstaging " + journal.staging + "\ngame " + journal.game +
           "\nnew " + std::to_string(journal.newFolder) + '\n';
}

std::optional<Journal> parseJournal(std::string_view text) {
    std::string_view lines[4];
    for (auto& line : lines) {
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos) {
            return std::nullopt;
        }
        line = text.substr(0, end);
        text.remove_prefix(end + 1);
    }
    const auto value = [&lines](int line, std::string_view key) {
        return lines[line].starts_with(key) ? lines[line].substr(key.size()) : std::string_view();
    };
    Journal journal{std::string(value(1, "staging ")), std::string(value(2, "game ")), 0};
    const std::string_view inode = value(3, "new ");
    const auto [end, error] =
        std::from_chars(inode.data(), inode.data() + inode.size(), journal.newFolder);
    const auto plainName = [](std::string_view name) {
        return name.find('/') == std::string_view::npos && isPlainRelativePath(name, false);
    };
    if (!text.empty() || lines[0] != kJournalHeader || error != std::errc() ||
        end != inode.data() + inode.size() || inode.empty() ||
        !journal.staging.starts_with(kStagingPrefix) || !plainName(journal.staging) ||
        !isGameFolderName(journal.game) || !plainName(journal.game)) {
        return std::nullopt;
    }
    return journal;
}

std::optional<ino_t> folderInode(int parent, const std::string& name) {
    struct stat info {};
    if (::fstatat(parent, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISDIR(info.st_mode)) {
        return std::nullopt;
    }
    return info.st_ino;
}

bool exists(int parent, const std::string& name) {
    struct stat info {};
    return ::fstatat(parent, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0;
}

void writeJournal(int components, const Journal& journal, const InstallHooks& hooks) {
    const std::string part = std::string(kJournalName) + ".part";
    const std::string text = formatJournal(journal);
    announceStep(hooks, "write the journal");
    {
        const UniqueFd file(::openat(components, part.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644));
        if (file.get() < 0 ||
            ::write(file.get(), text.data(), text.size()) != static_cast<ssize_t>(text.size()) ||
            ::fsync(file.get()) != 0) {
            throw SystemError(errno == 0 ? ENOSPC : errno,
                              "Cannot write the installation's journal");
        }
    }
    announceStep(hooks, "put the journal in place");
    if (::renameat(components, part.c_str(), components, std::string(kJournalName).c_str()) != 0 ||
        ::fsync(components) != 0) {
        throw SystemError(errno, "Cannot write the installation's journal");
    }
}

} // namespace

void recoverInterruptedInstallation(int componentsFd, const InstallHooks& hooks) {
    const std::string name(kJournalName);
    if (!exists(componentsFd, name)) {
        return;
    }
    const auto text = readTextAt(componentsFd, name);
    const auto journal = text ? parseJournal(*text) : std::nullopt;
    if (!journal) {
        throw std::runtime_error("An installation that was stopped left its journal \"" + name +
                                 "\" in the components folder, and it cannot be read. Nothing "
                                 "was changed; remove the journal to install again.");
    }
    // Not swapped, and the old folder waits between the pair of renames: it goes back. A
    // game folder in its place is no one's to overwrite; then everything stays.
    const UniqueFd staging(::openat(componentsFd, journal->staging.c_str(), kFolderFlags));
    if (folderInode(componentsFd, journal->game) != journal->newFolder && staging.get() >= 0 &&
        exists(staging.get(), kOldFolder)) {
        announceStep(hooks, "put the old folder back");
        if (::renameat2(staging.get(), kOldFolder, componentsFd, journal->game.c_str(),
                        RENAME_NOREPLACE) != 0 ||
            ::fsync(componentsFd) != 0) {
            throw SystemError(errno, "An installation of " + journal->game +
                                         " was stopped, and the earlier game cannot be put back "
                                         "from " +
                                         journal->staging);
        }
    }
    announceStep(hooks, "end the journal");
    if (::unlinkat(componentsFd, name.c_str(), 0) != 0) {
        throw SystemError(errno, "Cannot remove the journal of a stopped installation");
    }
    announceStep(hooks, "remove the staging folder");
    removeTree(componentsFd, journal->staging);
}

void removeStaleStaging(int componentsFd) {
    for (const auto& name : folderNames(componentsFd, "the components folder")) {
        if ((name.starts_with(kStagingPrefix) && folderInode(componentsFd, name)) ||
            name == std::string(kJournalName) + ".part") {
            removeTree(componentsFd, name);
        }
    }
}

StagingFolder::StagingFolder(int componentsFd, const std::string& shown, const InstallHooks& hooks)
    : m_components(componentsFd), m_hooks(hooks) {
    announceStep(hooks, "make the staging folder");
    std::random_device random;
    const char* const letters = "0123456789abcdefghijklmnopqrstuvwxyz";
    while (true) {
        m_name = kStagingPrefix;
        for (int i = 0; i < 8; ++i) {
            m_name += letters[random() % 36];
        }
        if (::mkdirat(componentsFd, m_name.c_str(), 0700) == 0) {
            break;
        }
        if (errno != EEXIST) {
            throw SystemError(errno, "Cannot write to the components folder " + shown);
        }
    }
    m_fd.reset(::openat(componentsFd, m_name.c_str(), kFolderFlags));
    if (m_fd.get() < 0) {
        throw SystemError(errno, "Cannot open the staging folder in " + shown);
    }
}

StagingFolder::~StagingFolder() {
    if (m_holdsOnlyCopy) {
        return;
    }
    m_fd.reset();
    if (m_recorded) {
        ::unlinkat(m_components, std::string(kJournalName).c_str(), 0);
    }
    removeTree(m_components, m_name);
}

void StagingFolder::swapIn(const std::string& game) {
    const auto newFolder = folderInode(m_fd.get(), game);
    if (!newFolder) {
        throw std::logic_error("the new game folder is built before it is swapped in");
    }
    const bool replacing = exists(m_components, game);
    writeJournal(m_components, {m_name, game, *newFolder}, m_hooks);
    m_recorded = true;
    const auto cannotPlace = [&game](int error) {
        return SystemError(error, "Cannot put " + game + " in place");
    };
    if (!replacing) {
        announceStep(m_hooks, "move the new folder in");
        if (::renameat2(m_fd.get(), game.c_str(), m_components, game.c_str(), RENAME_NOREPLACE) !=
            0) {
            throw cannotPlace(errno);
        }
    } else {
        announceStep(m_hooks, "swap the folders");
        const bool exchanged =
            m_hooks.exchange &&
            ::renameat2(m_fd.get(), game.c_str(), m_components, game.c_str(), RENAME_EXCHANGE) == 0;
        if (!exchanged) {
            if (m_hooks.exchange && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) {
                throw cannotPlace(errno);
            }
            announceStep(m_hooks, "move the old folder aside");
            if (::renameat2(m_components, game.c_str(), m_fd.get(), kOldFolder, RENAME_NOREPLACE) !=
                0) {
                throw cannotPlace(errno);
            }
            announceStep(m_hooks, "move the new folder in");
            if (::renameat2(m_fd.get(), game.c_str(), m_components, game.c_str(),
                            RENAME_NOREPLACE) != 0) {
                const int error = errno;
                m_holdsOnlyCopy = ::renameat2(m_fd.get(), kOldFolder, m_components, game.c_str(),
                                              RENAME_NOREPLACE) != 0;
                throw cannotPlace(error);
            }
        }
    }
    // Done: the rest only tidies up, and the journal's next reader would do the same.
    announceStep(m_hooks, "flush the components folder");
    ::fsync(m_components);
    announceStep(m_hooks, "end the journal");
    ::unlinkat(m_components, std::string(kJournalName).c_str(), 0);
    m_recorded = false;
    announceStep(m_hooks, "remove the old folder");
    removeTree(m_components, m_name);
}

} // namespace korvo
