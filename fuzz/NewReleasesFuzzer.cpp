// Parses arbitrary bytes as the server's new-releases list and checks what the list keeps: at
// most 21 games, every file name one safe file of the components folder, and the records in the
// order of their names in the text.
#include "NewReleases.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto releases = launcher::ParseNewReleases(text);
    if (releases.size() > launcher::kMaxNewGames) {
        std::abort();
    }
    std::size_t at = 0;
    for (const launcher::NewRelease& release : releases) {
        if (!launcher::IsSafeComponentName(release.file)) {
            std::abort();
        }
        const std::size_t found = text.find(release.name, at);
        if (found == std::string_view::npos) {
            std::abort();
        }
        at = found;
    }
    launcher::NewGamesList list;
    list.LoadTheList(std::string(text));
    if (list.lst_Games.empty()) {
        std::abort();
    }
    return 0;
}
