#include "Catalogue.h"

#include "DataPath.h"
#include "FieldReader.h"
#include "Text.h"

#include <QString>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <stdexcept>

namespace fs = std::filesystem;

namespace launcher {

namespace {

// The entries of a folder sorted by name, so that "the first" is the same on every run.
std::vector<fs::directory_entry> sortedEntries(const fs::path& folder) {
    std::vector<fs::directory_entry> entries;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        entries.push_back(*it);
    }
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        return a.path().filename() < b.path().filename();
    });
    return entries;
}

bool isFolder(const fs::directory_entry& entry) {
    std::error_code error;
    return entry.is_directory(error);
}

bool isFile(const fs::directory_entry& entry) {
    std::error_code error;
    return entry.is_regular_file(error);
}

// The entry of folder named name in any letter case, the exact spelling first.
std::optional<fs::path> findEntry(const fs::path& folder, const std::string& name,
                                  bool wantFolder) {
    const auto fits = [wantFolder](const fs::directory_entry& entry) {
        return wantFolder ? isFolder(entry) : isFile(entry);
    };
    std::error_code error;
    const fs::directory_entry exact(folder / name, error);
    if (!error && fits(exact)) {
        return exact.path();
    }
    const std::string upper = UpperCase(name);
    for (const fs::directory_entry& entry : sortedEntries(folder)) {
        if (fits(entry) && UpperCase(entry.path().filename().string()) == upper) {
            return entry.path();
        }
    }
    return std::nullopt;
}

bool endsWithExe(const std::string& name) {
    return name.size() > 4 && UpperCase(name.substr(name.size() - 4)) == ".EXE";
}

} // namespace

std::string UpperCase(const std::string& text) {
    return QString::fromStdString(text).toUpper().toStdString();
}

void Catalogue::SetComponentsDir(const std::string& programDir) {
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
        game.State = GameExeExists(game.Name) ? kExists : std::string();
        Games.push_back(std::move(game));
    }
}

std::string Catalogue::GameExePath(const std::string& name) const {
    if (const auto folder = findEntry(m_componentsDir, name, true)) {
        if (const auto exe = findEntry(*folder, name + ".exe", false)) {
            return exe->string();
        }
    }
    return m_componentsDir + name + "/" + name + ".exe";
}

std::string Catalogue::ScreenDumpPath(const std::string& name) const {
    if (const auto folder = findEntry(m_componentsDir, name, true)) {
        return (*folder / "add" / "screendump.gif").string();
    }
    return m_componentsDir + name + "/add/screendump.gif";
}

bool Catalogue::GameExeExists(const std::string& name) const {
    if (name.empty()) {
        return false;
    }
    std::error_code error;
    return fs::is_regular_file(GameExePath(name), error);
}

void Catalogue::ScanComponentsDir() {
    std::vector<fs::path> folders;
    for (const fs::directory_entry& entry : sortedEntries(m_componentsDir)) {
        if (UpperCase(entry.path().filename().string()).starts_with("KORVO'S ")) {
            folders.push_back(entry.path());
        }
    }
    for (const fs::path& folder : folders) {
        std::error_code error;
        if (!fs::is_directory(folder, error)) {
            continue; // a plain file named like a game is no game
        }
        std::string program;
        for (const fs::directory_entry& entry : sortedEntries(folder)) {
            const std::string file = entry.path().filename().string();
            if (isFile(entry) && endsWithExe(file)) {
                program = file;
                break;
            }
        }
        if (program.empty()) {
            continue; // a folder without a program file holds no game
        }
        const std::string name = program.substr(0, program.size() - 4);
        const std::string upper = UpperCase(name);
        bool known = false;
        for (GameRecord& game : Games) {
            if (UpperCase(game.Name) == upper) {
                game.State = kExists;
                known = true;
            }
        }
        if (!known && GameCount() < kMaxGames) {
            Games.push_back({name, {}, kExists});
        }
    }
}

bool Catalogue::NoGamesInstalled() const {
    return std::none_of(Games.begin(), Games.end(),
                        [](const GameRecord& game) { return game.State == kExists; });
}

int Catalogue::AddNewGameEntry() {
    Games.push_back({kNewGame, {}, {}});
    return GameCount() - 1;
}

} // namespace launcher
