#pragma once

// Packing a game folder into a signed component.

#include "ComponentFile.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace korvo {

// What the packer is told about the game: its version and the files the player may change
// (relative to the game folder, each a file in it).
struct PackOptions {
    std::string version;
    std::vector<std::string> playerFiles;
};

// Writes out: the setup program, then the game folder as a pax tar archive compressed with zstd,
// then the description, the header and the signature (see ComponentFile.h). The game is the
// folder's name. The archive is the same for the same
// folder: entries sorted by name, owned by nobody in particular (uid and gid 0, no names), all
// dated 2000-01-01, folders 0755, files 0755 when their owner may run them and 0644 otherwise.
// Returns every file and folder it read (for the build's dependency list). Throws
// std::runtime_error naming what failed.
std::vector<std::filesystem::path>
packComponent(const std::filesystem::path& setupProgram, const std::filesystem::path& gameFolder,
              const SecretKey& key, const std::filesystem::path& out, const PackOptions& options);

// Writes a component around an archive made elsewhere, described as given, or not at all, as
// components were before they described themselves (tests craft hostile ones).
void writeComponent(const std::filesystem::path& setupProgram, const std::string& archiveBytes,
                    const SecretKey& key, const std::filesystem::path& out,
                    const ComponentInfo& info = undescribed());

} // namespace korvo
