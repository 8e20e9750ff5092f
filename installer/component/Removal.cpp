#include "Removal.h"

#include "Folders.h"
#include "Manifest.h"
#include "SystemError.h"

#include <algorithm>
#include <cerrno>
#include <stdexcept>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvo {

namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

// Rewrites the manifest through a new file renamed over it, so it is never half written.
void rewriteManifest(int gameFolder, const std::vector<std::string>& entries) {
    const std::string part = std::string(kManifestName) + ".part";
    const std::string text = formatManifest(entries);
    {
        const UniqueFd file(::openat(gameFolder, part.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644));
        if (file.get() < 0 ||
            ::write(file.get(), text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
            return;
        }
    }
    ::renameat(gameFolder, part.c_str(), gameFolder, std::string(kManifestName).c_str());
}

} // namespace

RemovalResult removeGame(const std::filesystem::path& componentsDir, const std::string& game) {
    RemovalResult result;
    const UniqueFd components(::open(componentsDir.c_str(), kFolderFlags));
    if (components.get() < 0) {
        result.reason =
            describeFailure(errno, "Cannot open the components folder " + componentsDir.string());
        return result;
    }
    const UniqueFd folder(::openat(components.get(), game.c_str(), kFolderFlags));
    if (folder.get() < 0) {
        result.ok = errno == ENOENT; // already gone
        result.reason = describeFailure(errno, "Cannot open " + game);
        return result;
    }
    const auto manifest = installedFiles(folder.get());
    if (!manifest || !manifest->error.empty() || manifest->digestsDamaged) {
        const std::string why = !manifest                  ? "it cannot be read"
                                : manifest->digestsDamaged ? "its digests cannot be read"
                                                           : manifest->error;
        result.reason = "The list of installed files of " + game + " is missing or damaged (" +
                        why + "), so nothing of it was removed.";
        return result;
    }
    // A player's file whose bytes are no longer those installed.
    const auto changedByPlayer = [&manifest](const std::string& entry, int parent,
                                             const std::string& name) {
        if (!manifest->digests || !manifest->digests->files.contains(entry)) {
            return false;
        }
        const auto& installed = manifest->digests->files.at(entry);
        const auto now = digestOfFile(parent, name);
        return installed.player && now && *now != installed.digest;
    };

    std::vector<std::string> left; // what could not be removed
    std::vector<std::string> keptFolders;
    std::string firstFailure;
    auto removeEntry = [&](const std::string& entry, bool isFolder) {
        const auto [parentPath, leaf] = splitLast(entry);
        const std::string name(leaf);
        UniqueFd parent;
        try {
            parent = openFolder(folder.get(), parentPath, game + '/');
        } catch (const SystemError&) {
            return; // the folder is gone, or a link now: what it holds is not ours
        }
        struct stat info {};
        if (::fstatat(parent.get(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 ||
            S_ISDIR(info.st_mode) != isFolder) {
            return; // gone, or replaced by something of another kind: not ours
        }
        if (!isFolder && changedByPlayer(entry, parent.get(), name)) {
            ++result.keptPlayerFiles;
            return;
        }
        if (::unlinkat(parent.get(), name.c_str(), isFolder ? AT_REMOVEDIR : 0) == 0 ||
            errno == ENOENT) {
            return;
        }
        if (isFolder && (errno == ENOTEMPTY || errno == EEXIST)) {
            keptFolders.push_back(entry + '/'); // it still holds the user's files
            return;
        }
        if (firstFailure.empty()) {
            firstFailure = describeFailure(errno, game + '/' + entry);
        }
        left.push_back(isFolder ? entry + '/' : entry);
    };

    std::vector<std::string> folders;
    for (const auto& entry : manifest->entries) {
        if (entry.ends_with('/')) {
            folders.push_back(entry.substr(0, entry.size() - 1));
        } else if (entry != kManifestName && entry != kDigestsName) {
            removeEntry(entry, false);
        }
    }
    // What a folder holds sorts after it: backwards, the deepest go first.
    std::sort(folders.rbegin(), folders.rend());
    for (const auto& entry : folders) {
        removeEntry(entry, true);
    }

    if (!left.empty()) {
        // Named again, so that a later removal finishes the work.
        left.insert(left.end(), keptFolders.begin(), keptFolders.end());
        left.emplace_back(kManifestName);
        left.emplace_back(kDigestsName);
        rewriteManifest(folder.get(), left);
        result.reason = "Some files of " + game + " could not be removed. " + firstFailure;
        return result;
    }
    ::unlinkat(folder.get(), std::string(kDigestsName).c_str(), 0);
    ::unlinkat(folder.get(), std::string(kManifestName).c_str(), 0);
    ::unlinkat(components.get(), game.c_str(), AT_REMOVEDIR); // stays if it holds the user's files
    result.ok = true;
    return result;
}

} // namespace korvo
