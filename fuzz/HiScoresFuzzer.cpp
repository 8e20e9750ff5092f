// Parses arbitrary bytes as the hall-of-fame file; whatever it reads must write back into a
// file that reads as the same table.
#include "HiScores.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const zeltrix::HiScores table =
        zeltrix::parseHiScores(std::string_view(reinterpret_cast<const char*>(data), size));
    if (zeltrix::parseHiScores(zeltrix::formatHiScores(table)) != table) {
        std::abort();
    }
    return 0;
}
