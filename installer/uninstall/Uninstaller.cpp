#include "Uninstaller.h"

#include "ComponentLock.h"
#include "DesktopEntry.h"
#include "Removal.h"
#include "Staging.h"

#include <fstream>
#include <sstream>

#include <fcntl.h>

namespace korvo {

namespace {

std::filesystem::path normalFolder(const std::filesystem::path& folder) {
    std::filesystem::path normal = folder.lexically_normal();
    return normal.has_filename() ? normal : normal.parent_path();
}

// The entry is shared by every components directory on the machine: it goes only when it is
// this directory's.
void removeUninstallEntry(const UninstallPlace& place) {
    const auto value =
        place.registry->QueryValue(RegistryRoot::LocalMachine, kUninstallKey, "UninstallString");
    if (value) {
        const auto* text = std::get_if<std::string>(&*value);
        if (text == nullptr || normalFolder(std::filesystem::path(*text).parent_path()) !=
                                   normalFolder(place.componentsDir)) {
            return;
        }
    }
    place.registry->DeleteKey(RegistryRoot::LocalMachine, kUninstallKey);
}

void removeDesktopEntry(const UninstallPlace& place) {
    std::ifstream in(desktopEntryFile(place.dataHome));
    if (!in) {
        return;
    }
    std::stringstream text;
    text << in.rdbuf();
    if (text.str().find(normalFolder(place.componentsDir).string()) != std::string::npos) {
        std::error_code ignored;
        std::filesystem::remove(desktopEntryFile(place.dataHome), ignored);
    }
}

} // namespace

std::filesystem::path desktopEntryFile(const std::filesystem::path& dataHome) {
    return dataHome / "applications" / "korvo-game-components.desktop";
}

UninstallResult removeGames(const UninstallPlace& place, const std::vector<std::string>& games,
                            const std::function<void()>& waiting) {
    UninstallResult result;
    try {
        const ComponentLock lock(place.componentsDir, place.lockTimeout, waiting);
        // A game that a stopped installation left between two folders is put whole first.
        const UniqueFd components(
            ::open(place.componentsDir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (components.get() >= 0) {
            recoverInterruptedInstallation(components.get(), {});
        }
        for (const auto& game : games) {
            const RemovalResult removed = removeGame(place.componentsDir, game);
            if (removed.ok) {
                removeMenuEntry(place.dataHome, game, place.componentsDir / game);
            }
            result.keptPlayerFiles += removed.keptPlayerFiles;
            if (!removed.ok && result.reason.empty()) {
                result.reason = removed.reason;
            }
        }
        if (findInstalledGames(place.componentsDir).empty()) {
            removeUninstallEntry(place);
            removeDesktopEntry(place);
            std::error_code ignored;
            std::filesystem::remove(place.self, ignored);
        }
    } catch (const std::exception& error) {
        result.reason = error.what();
    }
    result.ok = result.reason.empty();
    return result;
}

} // namespace korvo
