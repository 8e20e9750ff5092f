#include "Digests.h"

#include "ComponentFile.h"
#include "Manifest.h"
#include "Signing.h"
#include "SystemError.h"

#include <algorithm>
#include <cerrno>
#include <stdexcept>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvo {

namespace {

constexpr std::string_view kHeader = "Korvo installed digests 1";
constexpr std::string_view kVersion = "version ";
constexpr std::string_view kFile = "file ";
constexpr std::string_view kPlayer = "player ";

} // namespace

std::string formatDigests(const DigestRecord& record) {
    std::string text = std::string(kHeader) + '\n';
    if (!record.version.empty()) {
        text += std::string(kVersion) + record.version + '\n';
    }
    for (const auto& [path, file] : record.files) {
        text += std::string(file.player ? kPlayer : kFile) + toHex(file.digest) + ' ' + path + '\n';
    }
    return text;
}

std::optional<DigestRecord> parseDigests(std::string_view text) {
    if (!text.starts_with(kHeader) || !text.substr(kHeader.size()).starts_with('\n')) {
        return std::nullopt;
    }
    text.remove_prefix(kHeader.size() + 1);
    DigestRecord record;
    bool first = true;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos) {
            return std::nullopt;
        }
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end + 1);
        if (first && line.starts_with(kVersion)) {
            record.version = line.substr(kVersion.size());
            if (!isVersion(record.version)) {
                return std::nullopt;
            }
            first = false;
            continue;
        }
        first = false;
        const bool player = line.starts_with(kPlayer);
        if (!player && !line.starts_with(kFile)) {
            return std::nullopt;
        }
        line.remove_prefix(player ? kPlayer.size() : kFile.size());
        InstalledDigest file{{}, player};
        const std::size_t hexSize = file.digest.size() * 2;
        std::size_t length = 0;
        if (line.size() < hexSize + 2 || line[hexSize] != ' ' ||
            sodium_hex2bin(file.digest.data(), file.digest.size(), line.data(), hexSize, nullptr,
                           &length, nullptr) != 0 ||
            length != file.digest.size()) {
            return std::nullopt;
        }
        const std::string_view path = line.substr(hexSize + 1);
        if (!isPlainRelativePath(path, false) || !record.files.emplace(path, file).second) {
            return std::nullopt;
        }
    }
    return record;
}

DigestStream::DigestStream() {
    if (sodium_init() < 0) {
        throw std::runtime_error("The signature library could not start.");
    }
    crypto_generichash_init(&m_state, nullptr, 0, crypto_generichash_BYTES);
}

void DigestStream::add(const void* data, std::size_t size) {
    crypto_generichash_update(&m_state, static_cast<const unsigned char*>(data), size);
}

void DigestStream::addZeros(std::uint64_t count) {
    static const std::array<unsigned char, 4096> zeros{};
    for (; count > 0; count -= std::min<std::uint64_t>(count, zeros.size())) {
        add(zeros.data(), static_cast<std::size_t>(std::min<std::uint64_t>(count, zeros.size())));
    }
}

Digest DigestStream::finish() {
    Digest digest{};
    crypto_generichash_final(&m_state, digest.data(), digest.size());
    return digest;
}

std::optional<Digest> digestOfFile(int parent, const std::string& name) {
    // Not blocking: a pipe in the file's place is no file.
    const UniqueFd file(
        ::openat(parent, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (file.get() < 0 || ::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    DigestStream digest;
    std::array<char, 65536> buffer{};
    ssize_t n = 0;
    while ((n = ::read(file.get(), buffer.data(), buffer.size())) > 0) {
        digest.add(buffer.data(), static_cast<std::size_t>(n));
    }
    if (n < 0) {
        return std::nullopt;
    }
    return digest.finish();
}

} // namespace korvo
