#pragma once

// Packing a game folder into a signed component.

#include "ComponentFile.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace korvo {

// Writes out: the setup program, then the game folder as a pax tar archive compressed with zstd,
// then the header and the signature (see ComponentFile.h). The archive is the same for the same
// folder: entries sorted by name, owned by nobody in particular (uid and gid 0, no names), all
// dated 2000-01-01, folders 0755, files 0755 when their owner may run them and 0644 otherwise.
// Returns every file and folder it read (for the build's dependency list). Throws
// std::runtime_error naming what failed.
std::vector<std::filesystem::path> packComponent(const std::filesystem::path& setupProgram,
                                                 const std::filesystem::path& gameFolder,
                                                 const SecretKey& key,
                                                 const std::filesystem::path& out);

// Writes a component around an archive made elsewhere (tests craft hostile ones).
void writeComponent(const std::filesystem::path& setupProgram, const std::string& archiveBytes,
                    const SecretKey& key, const std::filesystem::path& out);

} // namespace korvo
