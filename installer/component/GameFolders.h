#pragma once

// What a components folder holds, answered in one place for the catalogue, the launcher's first
// start, the installer and the uninstaller: which entries are game folders, which of them hold a
// game, and what an installation put into a game folder. Names are compared in upper case, as
// the family's programs always have.

#include "Digests.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvo {

// "Korvo's " followed by something, in any letter case.
bool isGameFolderName(std::string_view name);

// The game a folder holds: the name, without ".exe", of its first regular file (by name) whose
// name ends in ".exe" in any letter case; nothing when it holds none or is no folder.
std::optional<std::string> gameInFolder(const std::filesystem::path& folder);

// The folder of the game called name and its program file (name + ".exe" inside it), both
// matched in any letter case, the exact spelling first; nothing when either is missing or the
// name is not one plain name.
struct GameFiles {
    std::filesystem::path folder;
    std::filesystem::path program;
};
std::optional<GameFiles> findGame(const std::filesystem::path& componentsDir,
                                  const std::string& name);

// The entries named like game folders that hold a game, sorted by name, with the game of each.
struct GameFolder {
    std::filesystem::path folder;
    std::string game;
};
std::vector<GameFolder> gameFolders(const std::filesystem::path& componentsDir);

// True when the components folder holds something that a first start must not install over: an
// entry named like a game folder that is a file, or a game folder that holds a game. A folder
// left with only the player's own files after its game was removed holds no game.
bool holdsAnyGame(const std::filesystem::path& componentsDir);

// The game folders that an installation made, those holding a manifest, sorted by name. Throws
// std::runtime_error when the components folder cannot be read.
std::vector<std::string> findInstalledGames(const std::filesystem::path& componentsDir);

// What an installation put into the open game folder: the entries its manifest names, and what
// its files held then. Nothing when the folder has no manifest; the parse error when it is
// damaged. The digests are missing when the installation recorded none (before they were).
struct InstalledFiles {
    std::vector<std::string> entries; // folders end in "/"
    std::string error;                // empty when the manifest was read
    std::optional<DigestRecord> digests;
    bool digestsDamaged = false;
};
std::optional<InstalledFiles> installedFiles(int gameFolder);

// The version of the game installed in the folder, as its component named it; nothing when it
// is not known.
std::optional<std::string> installedVersion(const std::filesystem::path& gameFolder);

} // namespace korvo
