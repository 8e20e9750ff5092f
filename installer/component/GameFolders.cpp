#include "GameFolders.h"

#include "Digests.h"
#include "Folders.h"
#include "Manifest.h"
#include "SystemError.h"
#include "Text.h"

#include <algorithm>

#include <fcntl.h>
#include <sys/stat.h>

namespace korvo {

namespace fs = std::filesystem;

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
    const std::string upper = upperCase(name);
    for (const fs::directory_entry& entry : sortedEntries(folder)) {
        if (fits(entry) && upperCase(entry.path().filename().string()) == upper) {
            return entry.path();
        }
    }
    return std::nullopt;
}

} // namespace

bool isGameFolderName(std::string_view name) {
    constexpr std::string_view prefix = "KORVO'S ";
    return name.size() > prefix.size() && upperCase(name.substr(0, prefix.size())) == prefix;
}

std::optional<std::string> gameInFolder(const fs::path& folder) {
    for (const fs::directory_entry& entry : sortedEntries(folder)) {
        const std::string file = entry.path().filename().string();
        if (file.size() > 4 && upperCase(file.substr(file.size() - 4)) == ".EXE" && isFile(entry)) {
            return file.substr(0, file.size() - 4);
        }
    }
    return std::nullopt;
}

std::optional<GameFiles> findGame(const fs::path& componentsDir, const std::string& name) {
    // A name is one plain name: a path would lead out of the components folder.
    if (name.find('/') != std::string::npos || !isPlainRelativePath(name, false)) {
        return std::nullopt;
    }
    const auto folder = findEntry(componentsDir, name, true);
    if (!folder) {
        return std::nullopt;
    }
    const auto program = findEntry(*folder, name + ".exe", false);
    if (!program) {
        return std::nullopt;
    }
    return GameFiles{*folder, *program};
}

std::vector<GameFolder> gameFolders(const fs::path& componentsDir) {
    std::vector<GameFolder> games;
    for (const fs::directory_entry& entry : sortedEntries(componentsDir)) {
        if (!isGameFolderName(entry.path().filename().string()) || !isFolder(entry)) {
            continue;
        }
        if (auto game = gameInFolder(entry.path())) {
            games.push_back({entry.path(), std::move(*game)});
        }
    }
    return games;
}

bool holdsAnyGame(const fs::path& componentsDir) {
    const auto entries = sortedEntries(componentsDir);
    return std::any_of(entries.begin(), entries.end(), [](const fs::directory_entry& entry) {
        return isGameFolderName(entry.path().filename().string()) &&
               (!isFolder(entry) || gameInFolder(entry.path()));
    });
}

std::vector<std::string> findInstalledGames(const fs::path& componentsDir) {
    std::error_code error;
    fs::directory_iterator items(componentsDir, error);
    if (error) {
        throw SystemError(error.value(),
                          "Cannot read the components folder " + componentsDir.string());
    }
    std::vector<std::string> games;
    for (const auto& item : items) {
        const std::string name = item.path().filename().string();
        if (!isGameFolderName(name) || item.is_symlink(error) || !item.is_directory(error)) {
            continue;
        }
        if (fs::is_regular_file(fs::symlink_status(item.path() / kManifestName, error))) {
            games.push_back(name);
        }
    }
    std::sort(games.begin(), games.end());
    return games;
}

std::optional<InstalledFiles> installedFiles(int gameFolder) {
    const auto text = readTextAt(gameFolder, std::string(kManifestName));
    if (!text) {
        return std::nullopt;
    }
    ManifestParse parsed = parseManifest(*text);
    InstalledFiles files{std::move(parsed.entries), std::move(parsed.error), {}, false};
    struct stat info {};
    if (::fstatat(gameFolder, std::string(kDigestsName).c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0) {
        const auto digests = readTextAt(gameFolder, std::string(kDigestsName));
        files.digests = digests ? parseDigests(*digests) : std::nullopt;
        files.digestsDamaged = !files.digests;
    }
    return files;
}

std::optional<std::string> installedVersion(const fs::path& gameFolder) {
    const UniqueFd folder(::open(gameFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    const auto text = readTextAt(folder.get(), std::string(kDigestsName));
    const auto digests = text ? parseDigests(*text) : std::nullopt;
    if (!digests || digests->version.empty()) {
        return std::nullopt;
    }
    return digests->version;
}

} // namespace korvo
