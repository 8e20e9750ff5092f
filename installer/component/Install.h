#pragma once

// Installing a component into a components directory: check its signature, check every entry
// of its archive, extract it into a temporary folder inside the components directory, write the
// manifest, and put the game folder in place. A failure at any step leaves the components
// directory as it was (the lock file aside).
//
// Placing: when the game folder does not exist, the finished folder is renamed into place in one
// step. When it exists (a user's own files left after a removal, or an earlier installation),
// the new files are moved in one by one:
//   - a folder joins the existing folder of that name;
//   - a file replaces a same-named file that the existing manifest names (the earlier
//     installation's);
//   - anything else in the way (a file the user made, or an entry of another kind) is kept
//     under a new name, "<name>.kept" (or ".kept2", ...), so nothing the user had is lost;
// and the new manifest names what both installations created. If a move fails, the moves done
// so far are undone in reverse order.
// Nothing is ever followed through a symbolic link: each folder is opened without following
// links, and every name is created inside an open folder.

#include "ComponentFile.h"
#include "GameFolders.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace korvo {

// An archive entry as the rules see it.
struct ArchiveEntry {
    enum class Type { File, Folder, Symlink, HardLink, Special };
    std::string path;
    Type type = Type::File;
    std::string linkTarget; // symbolic and hard links
};

// The rules that every entry of a component's archive must pass, checked in archive order: a
// relative path of plain names below one top-level folder whose name is a game folder's; no
// devices, pipes or sockets; links that stay inside the game folder. A symbolic link's target
// is "../" repeated at most as deep as the link lies below the game folder, then plain names; a
// hard link names an entry of the game folder.
class EntryRules {
public:
    // Empty when the entry may be extracted, else why not.
    std::string check(const ArchiveEntry& entry);
    // The top-level folder, once the first entry has passed.
    const std::string& gameFolder() const { return m_gameFolder; }

private:
    std::string m_gameFolder;
};

// Reads an archive held in memory and checks each entry with EntryRules; the first reason for
// refusing it, or empty. Nothing is written.
std::string checkArchive(const void* data, std::size_t size);

struct InstallHooks {
    std::function<void(const std::string& gameFolder)> named; // once the game is known
    std::function<void()> waiting;                            // another installation runs
    std::function<void(std::uint64_t done, std::uint64_t total)> progress; // archive bytes
    std::function<bool()> cancelled;
    std::chrono::milliseconds lockTimeout = std::chrono::minutes(2);
};

struct InstallResult {
    bool ok = false;
    std::string reason; // for a person, when not ok
    std::string gameFolder;
};

// Installs the component file into componentsDir, which must exist.
InstallResult installComponent(const std::filesystem::path& component,
                               const std::filesystem::path& componentsDir, const PublicKey& key,
                               const InstallHooks& hooks = {});

// Temporary folders of installations live in the components directory under this prefix.
inline constexpr std::string_view kTemporaryPrefix = ".korvo-setup-";

} // namespace korvo
