#include "Catalogue.h"

#include "DataPath.h"
#include "DesktopEntry.h"
#include "FieldReader.h"
#include "GameFolders.h"
#include "Text.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace launcher {

std::string UserComponentsDir(const char* dataHome, const char* home) {
    return korvo::userDataHome(dataHome, home) + "/korvo/Korvo Game Components/";
}

void Catalogue::SetComponentsDir(const std::string& programDir) {
    if (m_userGames) {
        m_componentsDir = UserComponentsDir(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
        // The components folder itself comes with the first installation; its lock lives beside
        // it.
        std::error_code ignored;
        std::filesystem::create_directories(
            std::filesystem::path(m_componentsDir).parent_path().parent_path(), ignored);
        return;
    }
    const std::size_t slash = programDir.rfind('/');
    const std::string parent =
        slash == std::string::npos ? std::string() : programDir.substr(0, slash + 1);
    m_componentsDir = parent + "Korvo Game Components/";
}

void Catalogue::LoadGamesFile() {
    std::string text;
    try {
        text = korvo::fromWindows1252(korvo::readFileBytes(korvo::dataPath("games.txt")));
    } catch (const std::runtime_error&) {
        return; // no catalogue: only the games on disk are known
    }
    korvo::FieldReader reader(std::move(text));
    while (!reader.atEnd() && GameCount() < kMaxGames) {
        GameRecord game;
        try {
            game.Name = reader.readText();
            game.Story = reader.readText();
            reader.readText(); // a field the launcher does not use
        } catch (const korvo::FieldReader::Error&) {
            return; // a short last record is dropped
        }
        game.installed = GameExeExists(game.Name);
        Games.push_back(std::move(game));
    }
}

std::string Catalogue::GameExePath(const std::string& name) const {
    if (const auto game = korvo::findGame(m_componentsDir, name)) {
        return game->program.string();
    }
    return m_componentsDir + name + "/" + name + ".exe";
}

std::string Catalogue::ScreenDumpPath(const std::string& name) const {
    if (const auto game = korvo::findGame(m_componentsDir, name)) {
        return (game->folder / "add" / "screendump.gif").string();
    }
    return m_componentsDir + name + "/add/screendump.gif";
}

bool Catalogue::GameExeExists(const std::string& name) const {
    return korvo::findGame(m_componentsDir, name).has_value();
}

void Catalogue::ScanComponentsDir() {
    for (const korvo::GameFolder& folder : korvo::gameFolders(m_componentsDir)) {
        const std::string upper = korvo::upperCase(folder.game);
        bool known = false;
        for (GameRecord& game : Games) {
            if (korvo::upperCase(game.Name) == upper) {
                game.installed = true;
                known = true;
            }
        }
        if (!known && GameCount() < kMaxGames) {
            Games.push_back({folder.game, {}, true});
        }
    }
}

bool Catalogue::NoGamesInstalled() const {
    return std::none_of(Games.begin(), Games.end(),
                        [](const GameRecord& game) { return game.installed; });
}

int Catalogue::AddNewGameEntry() {
    Games.push_back({kNewGame, {}, false});
    return GameCount() - 1;
}

} // namespace launcher
