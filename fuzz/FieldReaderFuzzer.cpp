// Reads fields from arbitrary bytes until the reader says the text has ended. The first byte
// chooses, bit by bit, whether each field is read as text or as a whole number.
#include "FieldReader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::uint8_t kinds = data[0];
    korvo::FieldReader reader(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
    int lastLine = reader.line();
    for (int field = 0; !reader.atEnd(); ++field) {
        try {
            if (kinds >> (field % 8) & 1) {
                const int value = reader.readInteger();
                if (value < -32768 || value > 32767) {
                    std::abort();
                }
            } else {
                reader.readText();
            }
        } catch (const korvo::FieldReader::Error&) {
            // A field that is no number has been read all the same: go on after it.
        }
        if (reader.line() < lastLine) {
            std::abort();
        }
        lastLine = reader.line();
    }
    return 0;
}
