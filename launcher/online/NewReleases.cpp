#include "NewReleases.h"

#include "Messages.h"
#include "Text.h"

#include <algorithm>

namespace launcher {

namespace {

constexpr std::string_view kNameKeyword = "NAME:";
constexpr std::string_view kFileKeyword = "FILE:";

} // namespace

bool IsSafeComponentName(std::string_view name) {
    constexpr std::size_t kMaxName = 64;
    constexpr std::string_view kExtension = ".CMP";
    if (name.size() <= kExtension.size() || name.size() > kMaxName || name.front() == '.' ||
        korvo::upperCase(name.substr(name.size() - kExtension.size())) != kExtension) {
        return false;
    }
    return std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '.' || c == '-' || c == '_';
    });
}

std::vector<NewRelease> ParseNewReleases(std::string_view text) {
    const std::string upper = korvo::upperCase(text);
    std::vector<NewRelease> releases;
    constexpr auto npos = std::string::npos;
    for (std::size_t p = upper.find(kNameKeyword); p != npos && releases.size() < kMaxNewGames;
         p = upper.find(kNameKeyword, p + 1)) {
        const std::size_t nameStart = p + kNameKeyword.size();
        const std::size_t comma = text.find(',', p);
        const std::size_t file = upper.find(kFileKeyword, p);
        const std::size_t lineFeed = text.find('\n', p);
        if (comma == npos || file == npos || lineFeed == npos ||
            lineFeed < file + kFileKeyword.size()) {
            continue; // a malformed record
        }
        const std::size_t fileStart = file + kFileKeyword.size();
        NewRelease release{std::string(text.substr(nameStart, comma - nameStart)),
                           std::string(text.substr(fileStart, lineFeed - fileStart))};
        if (IsSafeComponentName(release.file)) {
            releases.push_back(std::move(release));
        }
    }
    return releases;
}

void NewGamesList::Form_Load() {
    lst_Games_Enabled = false;
    cmd_Download_Enabled = false;
    lst_Games = {"Loading list. Please wait..."};
}

void NewGamesList::LoadTheList(const std::optional<std::string>& text) {
    lst_Games.clear();
    GameFiles = {};
    const std::vector<NewRelease> releases = ParseNewReleases(text.value_or(""));
    for (std::size_t i = 0; i < releases.size(); ++i) {
        lst_Games.push_back(korvo::fromWindows1252(releases[i].name));
        GameFiles[i] = releases[i].file;
    }
    lst_Games_Enabled = !lst_Games.empty();
    cmd_Download_Enabled = !lst_Games.empty();
    if (lst_Games.empty()) {
        lst_Games.push_back("No new games found.");
    }
}

std::optional<std::string> NewGamesList::cmd_Download_Click(int selected) const {
    if (lst_Games.empty()) {
        korvo::PlatformMessage("No new games to add.", korvo::MessageIcon::Information);
        return std::nullopt;
    }
    if (selected < 0 || static_cast<std::size_t>(selected) >= lst_Games.size() ||
        static_cast<std::size_t>(selected) >= GameFiles.size()) {
        korvo::PlatformMessage("Please select a game from the list.",
                               korvo::MessageIcon::Exclamation);
        return std::nullopt;
    }
    return GameFiles[static_cast<std::size_t>(selected)];
}

} // namespace launcher
