#pragma once

// Installing a component into a components directory: check its signature and what it says it
// holds, check every entry of its archive (EntryRules.h) and build the new game folder whole in
// a staging folder beside the old one (Staging.h). What the existing game folder holds that is
// not replaced is carried into the new one (Merge.h); then the manifest is written, everything
// flushed, and the new folder swapped in place of the old one in one step. A failure or a crash
// at any step leaves the game folder as it was or, once swapped, the new one, whole; a failure
// leaves the components directory as it was (the lock file aside).
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
    // Before each step that changes the file system (tests stop the installation there).
    std::function<void(std::string_view step)> beforeStep;
    // False: a pair of renames, as where the file system cannot exchange two folders (tests).
    bool exchange = true;
};

inline void announceStep(const InstallHooks& hooks, std::string_view step) {
    if (hooks.beforeStep) {
        hooks.beforeStep(step);
    }
}

struct InstallResult {
    bool ok = false;
    std::string reason; // for a person, when not ok
    std::string gameFolder;
};

// Installs the component file into componentsDir, which must exist.
InstallResult installComponent(const std::filesystem::path& component,
                               const std::filesystem::path& componentsDir, const PublicKey& key,
                               const InstallHooks& hooks = {});

} // namespace korvo
