#pragma once

// Installing a component into a components directory: check its signature, check every entry
// of its archive (EntryRules.h), extract it into a temporary folder inside the components
// directory, write the manifest, and put the game folder in place. A failure at any step leaves
// the components directory as it was (the lock file aside).
//
// Placing: when the game folder does not exist, the finished folder is renamed into place in one
// step. When it exists (a user's own files left after a removal, or an earlier installation),
// the new files are merged into it (Merge.h): a file the earlier installation made is replaced,
// anything else of the user's is kept, and the new manifest names what both installations
// created.
// Nothing is ever followed through a symbolic link: each folder is opened without following
// links, and every name is created inside an open folder.

#include "ComponentFile.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace korvo {

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
