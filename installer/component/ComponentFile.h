#pragma once

// A component file (".cmp") is a program that installs one game. Byte layout, integers
// little-endian:
//
//   offset 0        the setup program, N bytes (it is what runs when the file is started)
//   offset N        the archive, A bytes: a pax tar archive compressed with zstd that holds
//                   exactly one top-level folder, the game folder ("Korvo's ...")
//   offset N+A      the header, 32 bytes:
//                     +0   8  magic "KORVOCMP"
//                     +8   4  format version, 1
//                     +12  4  reserved, 0
//                     +16  8  archive offset N
//                     +24  8  archive size A
//   offset N+A+32   the signature, 64 bytes: Ed25519ph (libsodium's crypto_sign_init/update/
//                   final_create) over bytes [0, N+A+32), i.e. every byte before it
//   offset N+A+96   the final magic, 8 bytes "KORVOSIG"
//   file size       N + A + 104
//
// The signature is made and checked while the file streams through, so a large component never
// sits in memory. The public key that checks it is built into the programs (componentPublicKey).

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <span>
#include <string>
#include <variant>

namespace korvo {

using PublicKey = std::array<unsigned char, 32>;
// libsodium's form: the 32-byte seed followed by the public key.
using SecretKey = std::array<unsigned char, 64>;
using Signature = std::array<unsigned char, 64>;

inline constexpr std::size_t kHeaderSize = 32;
inline constexpr std::size_t kTrailerSize = kHeaderSize + 64 + 8; // header, signature, magic
inline constexpr std::uint32_t kFormatVersion = 1;

// The key this build checks components with (generated from the signing key by the build).
PublicKey componentPublicKey();

struct ComponentCheck {
    bool ok = false;
    std::string reason; // for a person, when not ok
    std::uint64_t archiveOffset = 0;
    std::uint64_t archiveSize = 0;
};

// Checks the trailer and the signature of a component file, reading it once from start to end.
ComponentCheck verifyComponent(const std::filesystem::path& file, const PublicKey& key);

// The trailer read from the last kTrailerSize bytes of a file of fileSize bytes; the reason when
// it is not one of ours or its numbers do not fit the file.
struct Trailer {
    std::uint64_t archiveOffset = 0;
    std::uint64_t archiveSize = 0;
    Signature signature{};
};
std::variant<Trailer, std::string> parseTrailer(std::span<const unsigned char> tail,
                                                std::uint64_t fileSize);

// Writes a component: the setup program's bytes, then the archive's, then finish() appends the
// header, the signature and the final magic. Everything goes to "<out>.part", which replaces out
// only when finished; an unfinished writer removes it.
class ComponentWriter {
public:
    ComponentWriter(const std::filesystem::path& out, const SecretKey& key);
    ~ComponentWriter();
    ComponentWriter(const ComponentWriter&) = delete;
    ComponentWriter& operator=(const ComponentWriter&) = delete;

    void write(const void* data, std::size_t size);
    void writeFile(const std::filesystem::path& file); // a whole file, e.g. the setup program
    void beginArchive();                               // the archive starts at the next byte
    void finish();

private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace korvo
