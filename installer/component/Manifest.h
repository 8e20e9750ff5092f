#pragma once

// The manifest names everything an installation created in a game folder, so that removal takes
// exactly that and nothing a user added. It is a UTF-8 text file in the game folder, lines ending
// in a line feed:
//
//   Korvo component manifest 1
//   Korvo's Zeltrix.exe
//   add/
//   add/anthem1.mid
//   ...
//   installed files.txt
//
// The first line names the format and its version; then one path a line, relative to the game
// folder, sorted, folders ending in "/". The manifest names itself. What the files held when
// installed is recorded beside it (Digests.h), so that its format stays as older setup programs
// read it.

#include <string>
#include <string_view>
#include <vector>

namespace korvo {

inline constexpr std::string_view kManifestName = "installed files.txt";
inline constexpr std::string_view kManifestHeader = "Korvo component manifest 1";

struct ManifestParse {
    std::vector<std::string> entries; // folders end in "/"
    std::string error;                // empty when the text is a manifest
};

// Refuses absolute paths, "." and "..", empty path components and control characters.
ManifestParse parseManifest(std::string_view text);
// Sorts the entries and drops repeats.
std::string formatManifest(std::vector<std::string> entries);

// A relative path of one or more plain names separated by "/" (a final "/" allowed when
// allowFolder): no "." or "..", nothing empty, no control characters.
bool isPlainRelativePath(std::string_view path, bool allowFolder = true);

} // namespace korvo
