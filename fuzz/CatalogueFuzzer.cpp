// Reads arbitrary bytes as the launcher's catalogue file add/games.txt, the way the launcher
// does at every rebuild, beside a components folder that holds one installed game. Whatever is
// read must be a bounded table of games whose names stand in the text, each installed or not.
#include "Catalogue.h"
#include "DataPath.h"
#include "Text.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// A file is written for every input: in memory where the system offers it.
fs::path scratch() {
    std::error_code error;
    return fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm") : fs::temp_directory_path();
}

// A launcher folder with its add/ and, beside it, the components folder with Korvo's Zeltrix.
struct Installation {
    fs::path root = scratch() / ("korvo-catalogue-fuzz-" + std::to_string(::getpid()));
    fs::path gamesFile = root / "Korvo Control Panel" / "add" / "games.txt";

    Installation() {
        const fs::path game = root / "Korvo Game Components" / "Korvo's Zeltrix";
        fs::create_directories(game);
        fs::create_directories(gamesFile.parent_path());
        std::ofstream(game / "Korvo's Zeltrix.exe") << "program";
        korvo::setProgramDir((root / "Korvo Control Panel").string());
    }
    ~Installation() {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Installation installation;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::ofstream(installation.gamesFile, std::ios::binary | std::ios::trunc) << bytes;

    launcher::Catalogue catalogue;
    catalogue.SetComponentsDir(korvo::programDir());
    catalogue.LoadGamesFile();
    if (catalogue.GameCount() > launcher::Catalogue::kMaxGames) {
        std::abort();
    }
    const std::string text = korvo::fromWindows1252(bytes);
    for (const launcher::GameRecord& game : catalogue.Games) {
        if (text.find(game.Name) == std::string::npos) {
            std::abort();
        }
    }
    return 0;
}
