#include "Merge.h"

#include "Folders.h"
#include "Manifest.h"
#include "SystemError.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvo {

namespace {

bool exists(int folder, const std::string& name, struct stat* info) {
    return ::fstatat(folder, name.c_str(), info, AT_SYMLINK_NOFOLLOW) == 0;
}

// Moves the new game folder's entries into an existing one (see the header), undoing every
// step if one fails.
class Merger {
public:
    enum class Root { Source, Target, Backup };

    Merger(int source, int target, int backup, std::string game)
        : m_roots{source, target, backup}, m_game(std::move(game)) {}

    void merge(std::vector<std::string> entries, const std::set<std::string>& ours) {
        // Parents come before what they hold; the manifest comes last.
        std::sort(entries.begin(), entries.end());
        std::stable_partition(entries.begin(), entries.end(),
                              [](const std::string& e) { return e != kManifestName; });
        try {
            for (const auto& entry : entries) {
                place(entry, ours);
            }
        } catch (...) {
            undo();
            throw;
        }
    }

private:
    struct Place {
        Root root;
        std::string path;
    };
    struct Step {
        Place from;
        Place to; // a folder made when from.path is empty
    };

    // The open folder that holds a place, and the place's own name.
    std::pair<UniqueFd, std::string> open(const Place& place) const {
        const auto [parent, name] = splitLast(place.path);
        return {openFolder(m_roots[static_cast<int>(place.root)], parent, m_game + '/'),
                std::string(name)};
    }

    void place(const std::string& entry, const std::set<std::string>& ours) {
        const bool folder = entry.ends_with('/');
        const std::string path = folder ? entry.substr(0, entry.size() - 1) : entry;
        const Place target{Root::Target, path};
        const auto [targetFolder, name] = open(target);
        struct stat info {};
        if (exists(targetFolder.get(), name, &info)) {
            if (folder && S_ISDIR(info.st_mode)) {
                return; // joins the existing folder
            }
            if (!folder && !S_ISDIR(info.st_mode) && ours.contains(entry)) {
                move(target, {Root::Backup, std::to_string(m_steps.size())});
            } else {
                const std::string_view parent = splitLast(path).first;
                std::string kept = parent.empty() ? std::string() : std::string(parent) + '/';
                move(target, {Root::Target, kept + keptName(targetFolder.get(), name)});
            }
        }
        if (folder) {
            if (::mkdirat(targetFolder.get(), name.c_str(), 0755) != 0) {
                throw SystemError(errno, "Cannot create " + m_game + '/' + path);
            }
            m_steps.push_back(Step{Place{Root::Target, ""}, target});
            return;
        }
        move({Root::Source, path}, target);
    }

    static std::string keptName(int folder, const std::string& name) {
        struct stat info {};
        for (int n = 1;; ++n) {
            std::string candidate = name + ".kept" + (n == 1 ? "" : std::to_string(n));
            if (!exists(folder, candidate, &info)) {
                return candidate;
            }
        }
    }

    void move(const Place& from, const Place& to) {
        const auto [fromFolder, fromName] = open(from);
        const auto [toFolder, toName] = open(to);
        if (::renameat2(fromFolder.get(), fromName.c_str(), toFolder.get(), toName.c_str(),
                        RENAME_NOREPLACE) != 0) {
            throw SystemError(errno, "Cannot place " + m_game + '/' + from.path);
        }
        m_steps.push_back({from, to});
    }

    void undo() noexcept {
        for (auto step = m_steps.rbegin(); step != m_steps.rend(); ++step) {
            try {
                const auto [toFolder, toName] = open(step->to);
                if (step->from.path.empty()) {
                    ::unlinkat(toFolder.get(), toName.c_str(), AT_REMOVEDIR);
                    continue;
                }
                const auto [fromFolder, fromName] = open(step->from);
                ::renameat2(toFolder.get(), toName.c_str(), fromFolder.get(), fromName.c_str(),
                            RENAME_NOREPLACE);
            } catch (const std::exception&) {
                // Undo as much as can be undone.
            }
        }
        m_steps.clear();
    }

    std::array<int, 3> m_roots;
    std::string m_game;
    std::vector<Step> m_steps;
};

} // namespace

void mergeGameFolder(int source, int target, int backup, const std::string& game,
                     std::vector<std::string> entries, const std::set<std::string>& ours) {
    Merger(source, target, backup, game).merge(std::move(entries), ours);
}

} // namespace korvo
