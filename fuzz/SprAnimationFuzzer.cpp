// Parses arbitrary bytes as a ".spr" animation.
#include "SprAnimation.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        korvo::parseSprAnimation(std::string(reinterpret_cast<const char*>(data), size),
                                 "/fuzz/add/robot run right.spr");
    } catch (const korvo::SprAnimation::Error&) {
    }
    return 0;
}
