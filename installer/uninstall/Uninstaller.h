#pragma once

// What the components uninstaller does, without its window: remove the installed games, and
// once no game is left, its entry in the registry store, its desktop entry and itself.

#include "Registry.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace korvo {

inline constexpr std::string_view kUninstallerFileName = "uninstall components.exe";
inline constexpr const char* kUninstallKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\korvoscmpuninst";

// The uninstaller's desktop entry in the user's data folder.
std::filesystem::path desktopEntryFile(const std::filesystem::path& dataHome);

struct UninstallPlace {
    std::filesystem::path componentsDir;
    std::filesystem::path self; // the uninstaller's own program file
    Registry* registry = nullptr;
    std::filesystem::path dataHome; // the user's, where the desktop entries are
    std::chrono::milliseconds lockTimeout = std::chrono::minutes(2);
};

struct UninstallResult {
    bool ok = false;
    std::string reason;      // for a person, when not ok
    int keptPlayerFiles = 0; // changed by the player, so kept in their game folders
};

// Under the components lock, once an installation that was stopped is finished or rolled back:
// removes the named games (those the user confirmed) with their menu entries, then, when no
// installed game is left in the directory, the uninstall entry and the desktop entry (each only
// when it names this directory) and the uninstaller's own file. An empty list only does the
// latter.
UninstallResult removeGames(const UninstallPlace& place, const std::vector<std::string>& games,
                            const std::function<void()>& waiting = {});

} // namespace korvo
