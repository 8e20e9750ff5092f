#pragma once

// Beside the manifest, "installed digests.txt" records what each file an installation made held
// then (libsodium's crypto_generichash, 32 bytes), so that a later installation or removal can
// tell whether the player changed a file the component declared the player's. The manifest
// keeps its own format, which the setup programs inside older components read strictly. UTF-8
// lines ending in a line feed, paths relative to the game folder:
//
//   Korvo installed digests 1
//   version 2.1.0                    the game's, when its component named it
//   file <64 hex digits> Korvo's Zeltrix.exe
//   player <64 hex digits> add/hiscores.txt
//
// An installation that carries a player's changed file keeps the digest of the file it would
// have installed, so that the file still counts as changed.

#include <sodium.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace korvo {

inline constexpr std::string_view kDigestsName = "installed digests.txt";

using Digest = std::array<unsigned char, crypto_generichash_BYTES>;

struct InstalledDigest {
    Digest digest{};
    bool player = false; // declared the player's
};
struct DigestRecord {
    std::string version; // empty when not known
    std::map<std::string, InstalledDigest> files;
};

std::string formatDigests(const DigestRecord& record);
// Nothing when the text is not such a record.
std::optional<DigestRecord> parseDigests(std::string_view text);

class DigestStream {
public:
    DigestStream();
    void add(const void* data, std::size_t size);
    void addZeros(std::uint64_t count);
    Digest finish();

private:
    crypto_generichash_state m_state{};
};

// The digest of the regular file name in the open folder parent, not following a link; nothing
// when it is no file or cannot be read.
std::optional<Digest> digestOfFile(int parent, const std::string& name);

} // namespace korvo
