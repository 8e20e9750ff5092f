#pragma once

#include <string>
#include <vector>

namespace launcher {

// The name of the entry that leads to new games; a catalogue record of that name does too.
inline const std::string kNewGame = "New Game";

struct GameRecord {
    std::string Name;
    std::string Story;
    bool installed = false;
};

// The table of known games and their install state, rebuilt from the catalogue file
// add/games.txt and from the game folders of the components directory.
class Catalogue {
public:
    // userGames: the games go to the user's data folder (the launcher of a system package).
    explicit Catalogue(bool userGames = false) : m_userGames(userGames) {}

    // The components directory, always ending in "/": the parent of the launcher's program
    // folder + "Korvo Game Components/"; with userGames the user's data folder's instead (see
    // UserComponentsDir), whose parents are made as needed.
    void SetComponentsDir(const std::string& programDir);
    const std::string& ComponentsDir() const { return m_componentsDir; }

    // Forgets the table (GameCount 0).
    void Clear() { Games.clear(); }
    // Appends the complete records of add/games.txt; a missing, unreadable or short file gives
    // what could be read, possibly nothing.
    void LoadGamesFile();
    bool GameExeExists(const std::string& name) const;
    // Marks the catalogue games whose folder holds their program file and appends the games
    // found only on disk.
    void ScanComponentsDir();
    bool NoGamesInstalled() const;
    int AddNewGameEntry();
    int GameCount() const { return static_cast<int>(Games.size()); }

    // Where an installed game's program file and button picture are. Letter case does not
    // matter, as in the scan: a folder "korvo's zeltrix" holding "KORVO'S ZELTRIX.EXE" is the
    // game "Korvo's Zeltrix".
    std::string GameExePath(const std::string& name) const;
    std::string ScreenDumpPath(const std::string& name) const;

    std::vector<GameRecord> Games;
    bool ShowingInstalled = false;

    // Table entries are counted in 16 bits.
    static constexpr int kMaxGames = 32767;

private:
    bool m_userGames;
    std::string m_componentsDir = "Korvo Game Components/";
};

// "$XDG_DATA_HOME/korvo/Korvo Game Components/", or "~/.local/share/..." when that variable
// is unset, empty or not an absolute path, as the desktop's rules say.
std::string UserComponentsDir(const char* dataHome, const char* home);

} // namespace launcher
