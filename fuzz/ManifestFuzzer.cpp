// Parses arbitrary bytes as a manifest; whatever is accepted must be a plain path inside the
// game folder and must survive writing and reading back.
#include "Manifest.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto parsed =
        korvo::parseManifest(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!parsed.error.empty()) {
        return 0;
    }
    for (const auto& entry : parsed.entries) {
        if (!korvo::isPlainRelativePath(entry)) {
            std::abort();
        }
    }
    auto expected = parsed.entries;
    std::sort(expected.begin(), expected.end());
    expected.erase(std::unique(expected.begin(), expected.end()), expected.end());
    const auto again = korvo::parseManifest(korvo::formatManifest(parsed.entries));
    if (!again.error.empty() || again.entries != expected) {
        std::abort();
    }
    return 0;
}
