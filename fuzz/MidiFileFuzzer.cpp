// Reads the playing time of arbitrary bytes as a Standard MIDI File.
#include "SdlPlayer.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto seconds =
        korvo::midiFileSeconds(std::string_view(reinterpret_cast<const char*>(data), size));
    if (seconds && !(*seconds >= 0 && std::isfinite(*seconds))) {
        std::abort();
    }
    return 0;
}
