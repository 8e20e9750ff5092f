#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace launcher {

// One game of the new-releases list: its display name and its component file.
struct NewRelease {
    std::string name;
    std::string file;
    friend bool operator==(const NewRelease&, const NewRelease&) = default;
};

// The list shows at most this many games; records beyond are ignored.
constexpr std::size_t kMaxNewGames = 21;

// The records of newreleases.txt in order: "NAME:" name "," ... "FILE:" file line feed, the
// keywords in any case, nothing trimmed. A record without its comma, its "FILE:" or its line
// feed is skipped, and so is one whose file name is not safe; at most kMaxNewGames are taken.
std::vector<NewRelease> ParseNewReleases(std::string_view text);

// A name from the network may only name a component of its own in the components folder:
// letters, digits, ".", "-" and "_", at most 64 characters, ending in ".cmp", not starting
// with a dot. So it can never name the uninstaller, a lock, a game folder or a pattern.
bool IsSafeComponentName(std::string_view name);

// The window that lists the new games, as plain data: the lines of lst_Games (UTF-8; the list
// is single-byte text), the component file of each line, and which controls are enabled.
class NewGamesList {
public:
    std::vector<std::string> lst_Games;
    std::array<std::string, kMaxNewGames> GameFiles;
    bool lst_Games_Enabled = true;
    bool cmd_Download_Enabled = true;

    // The list waits for its text.
    void Form_Load();
    // Fills the list from the fetched text; without a text (the fetch failed) as from an empty
    // one.
    void LoadTheList(const std::optional<std::string>& text);
    // "&Add" with the selected line (-1 for none): the chosen component file, or nothing after
    // telling the user why not.
    std::optional<std::string> cmd_Download_Click(int selected) const;
};

} // namespace launcher
