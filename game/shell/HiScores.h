#pragma once

#include <array>
#include <string>
#include <string_view>

namespace zeltrix {

struct HiScoreEntry {
    std::string Name;
    long long Score = 0;
    friend bool operator==(const HiScoreEntry&, const HiScoreEntry&) = default;
};

// The hall of fame: the three best scores, index 0 the best. Kept in order by inserting new
// scores at their place, never sorted.
using HiScores = std::array<HiScoreEntry, 3>;

// Reads the file's bytes (Windows-1252). A score is the whole part of its number, rounded down.
// Whatever is missing, broken or extra still gives a playable table: absent entries are an
// empty name with score 0, a score that is no number counts as 0, records beyond the third are
// ignored.
HiScores parseHiScores(std::string_view bytes);
// The same from a file; a file that cannot be read gives the empty table.
HiScores loadHiScores(const std::string& path);

// Three lines of "name","score" ended by CR LF, in Windows-1252.
std::string formatHiScores(const HiScores& table);
// Writes a new file beside the old one and renames it over, so a failure anywhere leaves the
// previous file whole. Returns false when the table could not be written.
bool saveHiScores(const HiScores& table, const std::string& path);

// Puts the score below every entry it does not strictly beat, dropping the last entry.
// Returns the row of the new entry, whose name is empty, or -1 when the score stays out.
int insertHiScore(HiScores& table, long long score);

// The file has no escape for a double quote nor for a line end: such characters in a typed
// name become a single quote and a blank.
std::string storableName(std::string name);

} // namespace zeltrix
