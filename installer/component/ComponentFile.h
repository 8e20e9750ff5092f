#pragma once

// A component file (".cmp") is a program that installs one game. Byte layout, integers
// little-endian:
//
//   offset 0          the setup program, N bytes (it is what runs when the file is started)
//   offset N          the archive, A bytes: a pax tar archive compressed with zstd that holds
//                     exactly one top-level folder, the game folder ("Korvo's ...")
//   offset N+A        the description, D bytes (see below)
//   offset N+A+D      the header, 32 bytes:
//                       +0   8  magic "KORVOCMP"
//                       +8   4  format version, 2
//                       +12  4  description size D
//                       +16  8  archive offset N
//                       +24  8  archive size A
//   offset N+A+D+32   the signature, 64 bytes: Ed25519ph (libsodium's crypto_sign_init/update/
//                     final_create) over every byte before it
//   offset N+A+D+96   the final magic, 8 bytes "KORVOSIG"
//   file size         N + A + D + 104
//
// The description says what the component is and holds, in UTF-8 lines ending in a line feed,
// in this order (player files: none or more):
//
//   Game: Korvo's Zeltrix
//   Version: 2.1.0
//   Unpacked size: 5242880          the bytes of the archive's files
//   Entries: 42                     the archive's entries, the game folder's own included
//   Player file: add/hiscores.txt   a file the player may change, relative to the game folder
//
// Format 1 had no description (D was a reserved 0): such a component names no game or version,
// records neither its unpacked size nor its entry count and declares no player files. It still
// installs, without the free-space check and the extraction limits, and every file it installs
// counts as the game's own.
//
// The signature is made and checked while the file streams through, so a large component never
// sits in memory. The public key that checks it is built into the programs (componentPublicKey).

#include "SystemError.h"

#include <array>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace korvo {

using PublicKey = std::array<unsigned char, 32>;
// libsodium's form: the 32-byte seed followed by the public key.
using SecretKey = std::array<unsigned char, 64>;
using Signature = std::array<unsigned char, 64>;

inline constexpr std::size_t kHeaderSize = 32;
inline constexpr std::size_t kTrailerSize = kHeaderSize + 64 + 8; // header, signature, magic
inline constexpr std::uint32_t kFormatVersion = 2;
inline constexpr std::size_t kMaxDescriptionSize = std::size_t{64} * 1024;

// The key this build checks components with (generated from the signing key by the build).
PublicKey componentPublicKey();

// What a component is and holds, from its signed description; format 1 leaves the rest empty.
struct ComponentInfo {
    std::uint32_t format = kFormatVersion;
    std::string game;    // the game folder's name
    std::string version; // dotted numbers
    std::uint64_t unpackedSize = 0;
    std::uint64_t entries = 0;
    std::vector<std::string> playerFiles;
};

// What a component of format 1 says of itself: nothing.
inline ComponentInfo undescribed() {
    ComponentInfo info;
    info.format = 1;
    return info;
}

std::string formatDescription(const ComponentInfo& info);
// The reason when the text is not a description.
std::variant<ComponentInfo, std::string> parseDescription(std::string_view text);

// One to four numbers of one to nine digits separated by dots: "2", "2.1.0".
bool isVersion(std::string_view text);
// Number by number, a missing number counting as 0 ("2.1" == "2.1.0" < "2.10").
std::strong_ordering compareVersions(std::string_view a, std::string_view b);

struct ComponentCheck {
    bool ok = false;
    std::string reason; // for a person, when not ok
    std::uint64_t archiveOffset = 0;
    std::uint64_t archiveSize = 0;
    ComponentInfo info;
};

// Checks the trailer and the signature of a component, reading it once from start to end; the
// description returned is the one the signature covered. From an open file the caller keeps
// unchanged (the running program, a sealed memory file): what was checked is what it reads later.
ComponentCheck verifyComponent(int fd, const PublicKey& key);
ComponentCheck verifyComponent(const std::filesystem::path& file, const PublicKey& key);

// A copy of the file in memory that nobody can change any more (memfd_create, sealed against
// writing, growing and shrinking; closed on exec, which fexecve of a program does not mind):
// checked and then run, it is the same bytes. Throws std::runtime_error saying why not.
UniqueFd sealedCopy(const std::filesystem::path& file);

// The trailer read from the last kTrailerSize bytes of a file of fileSize bytes; the reason when
// it is not one of ours or its numbers do not fit the file.
struct Trailer {
    std::uint32_t format = kFormatVersion;
    std::uint64_t archiveOffset = 0;
    std::uint64_t archiveSize = 0;
    std::uint64_t descriptionSize = 0; // it follows the archive
    Signature signature{};
};
std::variant<Trailer, std::string> parseTrailer(std::span<const unsigned char> tail,
                                                std::uint64_t fileSize);

// Writes a component: the setup program's bytes, then the archive's, then finish() appends the
// description (none when info.format is 1), the header, the signature and the final magic.
// Everything goes to "<out>.part", which replaces out only when finished; an unfinished writer
// removes it.
class ComponentWriter {
public:
    ComponentWriter(const std::filesystem::path& out, const SecretKey& key);
    ~ComponentWriter();
    ComponentWriter(const ComponentWriter&) = delete;
    ComponentWriter& operator=(const ComponentWriter&) = delete;

    void write(const void* data, std::size_t size);
    void writeFile(const std::filesystem::path& file); // a whole file, e.g. the setup program
    void beginArchive();                               // the archive starts at the next byte
    void finish(const ComponentInfo& info);

private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace korvo
