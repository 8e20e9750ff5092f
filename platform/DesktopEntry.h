#pragma once

// Desktop entries in the user's data folder: the uninstaller's and each installed game's, which
// put them in the desktop's menus. The launcher, the setup program and the uninstaller write and
// remove them; each game's icon lies beside its entry's data and goes with it.

#include <filesystem>
#include <string>
#include <string_view>

namespace korvo {

// The user's data folder by the desktop's rules: dataHome ($XDG_DATA_HOME) when it is an
// absolute path, else home + "/.local/share"; without a final "/".
std::string userDataHome(const char* dataHome, const char* home);
std::string userDataHome(); // from the environment

// The Exec value of a desktop entry that runs the program at path without arguments: the path
// in double quotes with the characters that the format reserves escaped.
std::string desktopExec(const std::string& path);
// A text as a desktop entry's string value: backslashes and control characters escaped.
std::string desktopString(const std::string& text);

// Writes the file whole or not at all (a temporary file renamed over it), making its folders;
// false when it could not.
bool writeWhole(const std::filesystem::path& file, std::string_view bytes);

// A game's entry and icon, named for the game without blanks or apostrophes ("Korvo's
// Zeltrix": korvo-zeltrix.desktop and korvo-zeltrix.png).
struct MenuEntryFiles {
    std::filesystem::path entry; // dataHome/applications/<id>.desktop
    std::filesystem::path icon;  // dataHome/icons/hicolor/128x128/apps/<id>.png
};
MenuEntryFiles menuEntryFiles(const std::filesystem::path& dataHome, std::string_view game);

// Writes the entry that runs the game's program file, with an icon made from picture (the one
// the launcher shows for it); a picture that cannot be read leaves the entry without an icon.
// Empty when all was written, else what was not, for a person.
std::string writeMenuEntry(const std::filesystem::path& dataHome, const std::string& game,
                           const std::filesystem::path& program,
                           const std::filesystem::path& picture);

// Removes the game's entry and icon when the entry runs a program in gameFolder: another
// folder's game of the same name keeps its entry.
void removeMenuEntry(const std::filesystem::path& dataHome, const std::string& game,
                     const std::filesystem::path& gameFolder);

} // namespace korvo
