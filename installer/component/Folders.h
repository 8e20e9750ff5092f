#pragma once

// Walking folders without following symbolic links: every step opens the next folder with
// O_NOFOLLOW inside the one before, so a link planted in a game folder can never send a write
// or a removal somewhere else.

#include "SystemError.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace korvo {

// Opens the folder at the relative path (plain names separated by "/", or empty for root itself)
// below root. With created, missing folders are made (0755) and their paths, each with a final
// "/", appended to it. Throws SystemError naming display + path.
UniqueFd openFolder(int root, std::string_view path, const std::string& display,
                    std::vector<std::string>* created = nullptr);

// "a/b/c" -> {"a/b", "c"}; "c" -> {"", "c"}. A final "/" is ignored.
std::pair<std::string_view, std::string_view> splitLast(std::string_view path);

// The names in an open folder, sorted, without "." and "..". Throws SystemError naming display.
std::vector<std::string> folderNames(int folder, const std::string& display);

// Removes the entry name of the open folder parent and, when it is a folder, everything in it,
// never through a link; folders of ours that are not writable are made so first. False when
// something stayed.
bool removeTree(int parent, const std::string& name);

} // namespace korvo

namespace korvo {

// The whole text of a file in an open folder, not following a link; nothing when it cannot be
// read.
std::optional<std::string> readTextAt(int folder, const std::string& name);

} // namespace korvo
