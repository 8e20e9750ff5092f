#pragma once

// Removing installed games: exactly what their manifests name. A file the user added stays, and
// so does every folder that still holds something; a file that was installed goes even if it
// was changed since, unless it is one the component declared the player's (the hall of fame,
// the questions): changed, it stays, as the player's own. Nothing is followed through a
// symbolic link.

#include "GameFolders.h"

#include <filesystem>
#include <string>
#include <vector>

namespace korvo {

struct RemovalResult {
    bool ok = false;
    std::string reason;      // for a person, when not ok
    int keptPlayerFiles = 0; // changed by the player, so kept
};

// Removes the files the game's manifest names, then the named folders that are empty, then the
// game folder if it is empty. What could not be removed stays named in the manifest. A damaged
// manifest or digests file removes nothing. The caller holds the components lock.
RemovalResult removeGame(const std::filesystem::path& componentsDir, const std::string& game);

} // namespace korvo
