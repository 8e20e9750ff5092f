#include "Merge.h"

#include "Folders.h"
#include "Manifest.h"
#include "SystemError.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvo {

namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

bool exists(int folder, const std::string& name) {
    struct stat info {};
    return ::fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0;
}

// A copy where a hard link cannot be made: a file's bytes, a link's target; nothing else of the
// kind a player makes.
void copyEntry(int from, const std::string& name, const struct stat& info, int into,
               const std::string& target) {
    if (S_ISLNK(info.st_mode)) {
        std::string link(static_cast<std::size_t>(info.st_size) + 1, '\0');
        const ssize_t n = ::readlinkat(from, name.c_str(), link.data(), link.size());
        if (n < 0 || ::symlinkat(link.substr(0, static_cast<std::size_t>(n)).c_str(), into,
                                 target.c_str()) != 0) {
            throw SystemError(errno, "");
        }
        return;
    }
    if (!S_ISREG(info.st_mode)) {
        return;
    }
    const UniqueFd in(::openat(from, name.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    const UniqueFd out(::openat(into, target.c_str(),
                                O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                                info.st_mode & 0777));
    if (in.get() < 0 || out.get() < 0) {
        throw SystemError(errno, "");
    }
    for (ssize_t n = 1; n > 0;) {
        n = ::sendfile(out.get(), in.get(), nullptr, std::size_t{1} << 20);
        if (n < 0 && errno != EINTR) {
            throw SystemError(errno, "");
        }
    }
}

class Merger {
public:
    Merger(std::string game, const MergePlan& plan, const InstallHooks& hooks)
        : m_game(std::move(game)), m_plan(plan), m_hooks(hooks) {}

    // The folder at path in the existing game folder (from) into the one at newPath in the new
    // one (into); both paths empty or ending in "/".
    void merge(int from, int into, const std::string& path, const std::string& newPath) {
        for (const auto& name : folderNames(from, m_game + '/' + path)) {
            if (path.empty() && (name == kManifestName || name == kDigestsName)) {
                continue;
            }
            struct stat info {};
            if (::fstatat(from, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
                std::string shown = m_game + '/';
                shown += path;
                shown += name;
                throw SystemError(errno, "Cannot read " + shown);
            }
            const std::string entry = newPath + name;
            const bool folder = S_ISDIR(info.st_mode);
            const bool newFolder = m_plan.made.contains(entry + '/');
            const bool newOther = m_plan.made.contains(entry);
            if (folder && newFolder) {
                merge(open(from, path, name).get(), open(into, newPath, name).get(),
                      path + name + '/', entry + '/');
                continue;
            }
            if (!folder && newOther && path == newPath && playersOwn(from, name, info, entry)) {
                announceStep(m_hooks, "keep " + entry);
                if (::unlinkat(into, name.c_str(), 0) != 0) {
                    throw SystemError(errno, "Cannot keep " + m_game + '/' + entry);
                }
                carry(from, name, info, into, name, m_game + '/' + entry);
                continue;
            }
            if (!folder && newOther && m_plan.ours.contains(path + name)) {
                continue; // replaced
            }
            const bool inTheWay = newFolder || newOther;
            const std::string target = inTheWay ? keptName(from, into, name) : name;
            // What a folder put aside holds is the player's from now on.
            if (!inTheWay && path == newPath &&
                m_plan.ours.contains(path + name + (folder ? "/" : ""))) {
                m_ours.push_back(entry + (folder ? "/" : ""));
            }
            std::string step = "carry " + newPath;
            step += target;
            announceStep(m_hooks, step);
            std::string shown = m_game + '/';
            shown += newPath;
            shown += target;
            if (folder) {
                if (::mkdirat(into, target.c_str(), (info.st_mode & 0777) | 0700) != 0) {
                    throw SystemError(errno, "Cannot create " + shown);
                }
                merge(open(from, path, name).get(), open(into, newPath, target).get(),
                      path + name + '/', newPath + target + '/');
            } else {
                carry(from, name, info, into, target, shown);
            }
        }
    }

    std::vector<std::string> ours() && { return std::move(m_ours); }

private:
    // Whether the existing file at entry, which the new component declares the player's, is
    // the player's version.
    bool playersOwn(int from, const std::string& name, const struct stat& info,
                    const std::string& entry) const {
        if (!m_plan.player.contains(entry) || !S_ISREG(info.st_mode)) {
            return false;
        }
        if (!m_plan.ours.contains(entry)) {
            return true;
        }
        const Digest* installed = nullptr;
        if (m_plan.recorded && m_plan.recorded->files.contains(entry)) {
            installed = &m_plan.recorded->files.at(entry).digest;
        } else if (m_plan.shipped.contains(entry)) {
            installed = &m_plan.shipped.at(entry);
        }
        const auto now = digestOfFile(from, name);
        return installed != nullptr && now && *now != *installed;
    }

    static void carry(int from, const std::string& name, const struct stat& info, int into,
                      const std::string& target, const std::string& shown) {
        if (::linkat(from, name.c_str(), into, target.c_str(), 0) == 0) {
            return;
        }
        if (errno != EPERM && errno != EMLINK && errno != EOPNOTSUPP) {
            throw SystemError(errno, "Cannot carry " + shown);
        }
        try {
            copyEntry(from, name, info, into, target);
        } catch (const SystemError& error) {
            throw SystemError(error.error(), "Cannot carry " + shown);
        }
    }

    UniqueFd open(int parent, const std::string& path, const std::string& name) const {
        UniqueFd folder(::openat(parent, name.c_str(), kFolderFlags));
        if (folder.get() < 0) {
            throw SystemError(errno, "Cannot open " + m_game + '/' + path + name);
        }
        return folder;
    }

    // A name that neither folder holds yet.
    static std::string keptName(int from, int into, const std::string& name) {
        for (int n = 1;; ++n) {
            std::string candidate = name + ".kept" + (n == 1 ? "" : std::to_string(n));
            if (!exists(from, candidate) && !exists(into, candidate)) {
                return candidate;
            }
        }
    }

    std::string m_game;
    const MergePlan& m_plan;
    const InstallHooks& m_hooks;
    std::vector<std::string> m_ours;
};

} // namespace

std::vector<std::string> mergeGameFolder(int from, int into, const std::string& game,
                                         const MergePlan& plan, const InstallHooks& hooks) {
    Merger merger(game, plan, hooks);
    merger.merge(from, into, "", "");
    return std::move(merger).ours();
}

} // namespace korvo
