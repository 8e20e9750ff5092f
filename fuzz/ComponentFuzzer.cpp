// Reads arbitrary bytes as a component file (its trailer, header and signature, through the same
// streaming check the installer runs on itself), as a component's description and as a
// component's archive, through the entry rules that decide what may be extracted.
#include "ComponentFile.h"
#include "EntryRules.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>

#include <sys/mman.h>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const unsigned char> bytes(data, size);
    if (size >= korvo::kTrailerSize) {
        const auto parsed = korvo::parseTrailer(bytes.last(korvo::kTrailerSize), size);
        if (const auto* trailer = std::get_if<korvo::Trailer>(&parsed)) {
            if (trailer->archiveOffset + trailer->archiveSize + trailer->descriptionSize +
                    korvo::kTrailerSize !=
                size) {
                std::abort(); // the archive and the description must end where the header begins
            }
        }
    }

    // The file as the installer sees it: a real file descriptor.
    static const int file = ::memfd_create("component", 0);
    if (file >= 0 && ::ftruncate(file, 0) == 0 &&
        ::pwrite(file, data, size, 0) == static_cast<ssize_t>(size)) {
        const korvo::PublicKey key{};
        const auto check = korvo::verifyComponent("/proc/self/fd/" + std::to_string(file), key);
        if (check.ok || check.reason.empty()) {
            std::abort(); // nothing made by a fuzzer carries a valid signature for this key
        }
    }

    // Whatever description is accepted is written back the same.
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto described = korvo::parseDescription(text);
    if (const auto* info = std::get_if<korvo::ComponentInfo>(&described)) {
        if (korvo::formatDescription(*info) != text) {
            std::abort();
        }
    }

    korvo::checkArchive(data, size);
    return 0;
}
