#include "ComponentFile.h"

#include "GameFolders.h"
#include "Manifest.h"

#include <sodium.h>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <optional>
#include <stdexcept>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvo {

namespace {

constexpr std::array<unsigned char, 8> kHeaderMagic = {'K', 'O', 'R', 'V', 'O', 'C', 'M', 'P'};
constexpr std::array<unsigned char, 8> kFinalMagic = {'K', 'O', 'R', 'V', 'O', 'S', 'I', 'G'};
constexpr std::size_t kChunk = 1 << 20;

void putLittle(unsigned char* out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out[i] = static_cast<unsigned char>(value >> (8 * i));
    }
}

std::uint64_t getLittle(const unsigned char* in, int bytes) {
    std::uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        value = (value << 8) | in[i];
    }
    return value;
}

void initSodium() {
    if (sodium_init() < 0) {
        throw std::runtime_error("The signature library could not start.");
    }
}

const char* const kNotSigned = "This is not a complete, signed Korvo component: it may have been "
                               "cut short, or it was never signed.";
const char* const kBadSignature =
    "The component's signature does not match: the file was altered or damaged, or it was not "
    "signed by the makers of this program.";

} // namespace

std::variant<Trailer, std::string> parseTrailer(std::span<const unsigned char> tail,
                                                std::uint64_t fileSize) {
    if (tail.size() != kTrailerSize || fileSize < kTrailerSize ||
        !std::equal(kFinalMagic.begin(), kFinalMagic.end(), tail.end() - kFinalMagic.size())) {
        return std::string(kNotSigned);
    }
    const unsigned char* header = tail.data();
    if (!std::equal(kHeaderMagic.begin(), kHeaderMagic.end(), header)) {
        return std::string(kNotSigned);
    }
    Trailer trailer;
    trailer.format = static_cast<std::uint32_t>(getLittle(header + 8, 4));
    if (trailer.format > kFormatVersion) {
        return std::string("The component was made for a newer version of this program.");
    }
    trailer.descriptionSize = getLittle(header + 12, 4);
    trailer.archiveOffset = getLittle(header + 16, 8);
    trailer.archiveSize = getLittle(header + 24, 8);
    const std::uint64_t archiveEnd = fileSize - kTrailerSize;
    const bool describedRight =
        trailer.format == 1
            ? trailer.descriptionSize == 0
            : trailer.format == kFormatVersion && trailer.descriptionSize <= kMaxDescriptionSize;
    // The archive and the description must end right at the header; written this way nothing
    // can overflow.
    if (!describedRight || trailer.archiveSize == 0 || trailer.descriptionSize > archiveEnd ||
        trailer.archiveOffset > archiveEnd - trailer.descriptionSize ||
        trailer.archiveSize != archiveEnd - trailer.descriptionSize - trailer.archiveOffset) {
        return std::string("The component's header is damaged.");
    }
    std::memcpy(trailer.signature.data(), header + kHeaderSize, trailer.signature.size());
    return trailer;
}

namespace {

constexpr std::string_view kGameKey = "Game: ";
constexpr std::string_view kVersionKey = "Version: ";
constexpr std::string_view kSizeKey = "Unpacked size: ";
constexpr std::string_view kEntriesKey = "Entries: ";
constexpr std::string_view kPlayerKey = "Player file: ";

// Decimal digits without a leading zero, so that each number is written one way only.
std::optional<std::uint64_t> number(std::string_view text) {
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        (text.size() > 1 && text[0] == '0')) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::string formatDescription(const ComponentInfo& info) {
    std::string text = std::string(kGameKey) + info.game + '\n' + std::string(kVersionKey) +
                       info.version + '\n' + std::string(kSizeKey) +
                       std::to_string(info.unpackedSize) + '\n' + std::string(kEntriesKey) +
                       std::to_string(info.entries) + '\n';
    for (const auto& file : info.playerFiles) {
        text += std::string(kPlayerKey) + file + '\n';
    }
    return text;
}

std::variant<ComponentInfo, std::string> parseDescription(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos) {
            return "its last line does not end";
        }
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end + 1);
    }
    const auto value = [&lines](std::size_t line, std::string_view key) {
        return line < lines.size() && lines[line].starts_with(key)
                   ? std::optional(lines[line].substr(key.size()))
                   : std::nullopt;
    };
    ComponentInfo info;
    const auto game = value(0, kGameKey);
    if (!game || !isGameFolderName(*game) || game->find('/') != std::string_view::npos ||
        !isPlainRelativePath(*game, false)) {
        return "it names no game";
    }
    info.game = *game;
    const auto version = value(1, kVersionKey);
    if (!version || !isVersion(*version)) {
        return "it names no version";
    }
    info.version = *version;
    const auto size = value(2, kSizeKey);
    const auto entries = value(3, kEntriesKey);
    if (!size || !number(*size) || !entries || !number(*entries)) {
        return "it does not record the archive's size";
    }
    info.unpackedSize = *number(*size);
    info.entries = *number(*entries);
    for (std::size_t line = 4; line < lines.size(); ++line) {
        const auto file = value(line, kPlayerKey);
        if (!file || !isPlainRelativePath(*file, false)) {
            return "line " + std::to_string(line + 1) + " is not a player's file";
        }
        info.playerFiles.emplace_back(*file);
    }
    return info;
}

bool isVersion(std::string_view text) {
    int numbers = 0;
    while (true) {
        const std::size_t dot = text.find('.');
        const std::string_view part = text.substr(0, dot);
        if (part.empty() || part.size() > 9 || !number(part) || ++numbers > 4) {
            return false;
        }
        if (dot == std::string_view::npos) {
            return true;
        }
        text.remove_prefix(dot + 1);
    }
}

std::strong_ordering compareVersions(std::string_view a, std::string_view b) {
    while (!a.empty() || !b.empty()) {
        const auto next = [](std::string_view& text) {
            const std::size_t dot = text.find('.');
            const std::uint64_t value = number(text.substr(0, dot)).value_or(0);
            text.remove_prefix(dot == std::string_view::npos ? text.size() : dot + 1);
            return value;
        };
        const std::uint64_t left = next(a);
        const std::uint64_t right = next(b);
        if (left != right) {
            return left <=> right;
        }
    }
    return std::strong_ordering::equal;
}

ComponentCheck verifyComponent(int fd, const PublicKey& key) {
    ComponentCheck check;
    try {
        initSodium();
        struct stat info {};
        if (::fstat(fd, &info) != 0) {
            throw SystemError(errno, "Cannot read the component");
        }
        if (!S_ISREG(info.st_mode)) {
            check.reason = "The component is not a file.";
            return check;
        }
        const auto size = static_cast<std::uint64_t>(info.st_size);
        std::array<unsigned char, kTrailerSize> tail{};
        if (size < kTrailerSize) {
            check.reason = kNotSigned;
            return check;
        }
        readExactly(fd, tail.data(), tail.size(), size - kTrailerSize);
        const auto parsed = parseTrailer(tail, size);
        if (const auto* reason = std::get_if<std::string>(&parsed)) {
            check.reason = *reason;
            return check;
        }
        const auto& trailer = std::get<Trailer>(parsed);

        // The description is taken from the bytes the signature covers, as they stream by.
        const std::uint64_t describedAt = trailer.archiveOffset + trailer.archiveSize;
        std::string description(trailer.descriptionSize, '\0');
        crypto_sign_state state;
        crypto_sign_init(&state);
        std::vector<unsigned char> buffer(kChunk);
        const std::uint64_t signedSize = size - kTrailerSize + kHeaderSize;
        for (std::uint64_t done = 0; done < signedSize;) {
            const std::size_t n =
                static_cast<std::size_t>(std::min<std::uint64_t>(kChunk, signedSize - done));
            readExactly(fd, buffer.data(), n, done);
            crypto_sign_update(&state, buffer.data(), n);
            const std::uint64_t from = std::max(done, describedAt);
            const std::uint64_t to = std::min(done + n, describedAt + description.size());
            if (from < to) {
                std::memcpy(description.data() + (from - describedAt),
                            buffer.data() + (from - done), to - from);
            }
            done += n;
        }
        Signature signature = trailer.signature;
        if (crypto_sign_final_verify(&state, signature.data(), key.data()) != 0) {
            check.reason = kBadSignature;
            return check;
        }
        if (trailer.format == 1) {
            check.info.format = 1;
        } else {
            auto described = parseDescription(description);
            if (const auto* reason = std::get_if<std::string>(&described)) {
                check.reason = "The component's description is damaged: " + *reason + ".";
                return check;
            }
            check.info = std::move(std::get<ComponentInfo>(described));
        }
        check.ok = true;
        check.archiveOffset = trailer.archiveOffset;
        check.archiveSize = trailer.archiveSize;
    } catch (const std::exception& error) {
        check = {};
        check.reason = error.what();
    }
    return check;
}

ComponentCheck verifyComponent(const std::filesystem::path& file, const PublicKey& key) {
    // Not blocking: a pipe in a component's place is refused as no file, not waited on.
    const UniqueFd fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) {
        ComponentCheck check;
        check.reason = describeFailure(errno, "Cannot read " + file.string());
        return check;
    }
    return verifyComponent(fd.get(), key);
}

UniqueFd sealedCopy(const std::filesystem::path& file) {
    const UniqueFd in(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (in.get() < 0 || ::fstat(in.get(), &info) != 0) {
        throw SystemError(errno, "Cannot read " + file.string());
    }
    if (!S_ISREG(info.st_mode)) {
        throw std::runtime_error(file.string() + " is not a file.");
    }
    UniqueFd copy(::memfd_create("korvo component", MFD_CLOEXEC | MFD_ALLOW_SEALING));
    if (copy.get() < 0) {
        throw SystemError(errno, "Cannot copy " + file.string() + " into memory");
    }
    while (true) {
        const ssize_t n = ::sendfile(copy.get(), in.get(), nullptr, kChunk);
        if (n == 0) {
            break;
        }
        if (n < 0 && errno != EINTR) {
            throw SystemError(errno, "Cannot copy " + file.string() + " into memory");
        }
    }
    if (::fcntl(copy.get(), F_ADD_SEALS,
                F_SEAL_SEAL | F_SEAL_SHRINK | F_SEAL_GROW | F_SEAL_WRITE) != 0) {
        throw SystemError(errno, "Cannot seal the copy of " + file.string());
    }
    return copy;
}

struct ComponentWriter::State {
    std::filesystem::path out;
    std::filesystem::path part;
    SecretKey key{};
    std::ofstream file;
    crypto_sign_state sign{};
    std::uint64_t written = 0;
    std::uint64_t archiveOffset = 0;
    bool archiveBegun = false;
    bool finished = false;
};

ComponentWriter::ComponentWriter(const std::filesystem::path& out, const SecretKey& key)
    : m_state(std::make_unique<State>()) {
    initSodium();
    m_state->out = out;
    m_state->part = out.string() + ".part";
    m_state->key = key;
    m_state->file.open(m_state->part, std::ios::binary | std::ios::trunc);
    if (!m_state->file) {
        throw std::runtime_error("Cannot write " + m_state->part.string());
    }
    crypto_sign_init(&m_state->sign);
}

ComponentWriter::~ComponentWriter() {
    sodium_memzero(m_state->key.data(), m_state->key.size());
    if (!m_state->finished) {
        m_state->file.close();
        std::error_code ignored;
        std::filesystem::remove(m_state->part, ignored);
    }
}

void ComponentWriter::write(const void* data, std::size_t size) {
    m_state->file.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!m_state->file) {
        throw std::runtime_error("Cannot write " + m_state->part.string());
    }
    crypto_sign_update(&m_state->sign, static_cast<const unsigned char*>(data), size);
    m_state->written += size;
}

void ComponentWriter::writeFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw std::runtime_error("Cannot read " + file.string());
    }
    std::vector<char> buffer(kChunk);
    while (in) {
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        if (in.gcount() > 0) {
            write(buffer.data(), static_cast<std::size_t>(in.gcount()));
        }
    }
    if (!in.eof()) {
        throw std::runtime_error("Cannot read " + file.string());
    }
}

void ComponentWriter::beginArchive() {
    m_state->archiveOffset = m_state->written;
    m_state->archiveBegun = true;
}

void ComponentWriter::finish(const ComponentInfo& info) {
    if (!m_state->archiveBegun || m_state->written == m_state->archiveOffset) {
        throw std::logic_error("a component needs an archive");
    }
    const std::uint64_t archiveSize = m_state->written - m_state->archiveOffset;
    const std::string description = info.format == 1 ? std::string() : formatDescription(info);
    if (description.size() > kMaxDescriptionSize) {
        throw std::runtime_error("The component's description is too long.");
    }
    write(description.data(), description.size());
    std::array<unsigned char, kHeaderSize> header{};
    std::copy(kHeaderMagic.begin(), kHeaderMagic.end(), header.begin());
    putLittle(header.data() + 8, info.format, 4);
    putLittle(header.data() + 12, description.size(), 4);
    putLittle(header.data() + 16, m_state->archiveOffset, 8);
    putLittle(header.data() + 24, archiveSize, 8);
    write(header.data(), header.size());

    Signature signature{};
    crypto_sign_final_create(&m_state->sign, signature.data(), nullptr, m_state->key.data());
    m_state->file.write(reinterpret_cast<const char*>(signature.data()), signature.size());
    m_state->file.write(reinterpret_cast<const char*>(kFinalMagic.data()), kFinalMagic.size());
    m_state->file.close();
    if (!m_state->file) {
        throw std::runtime_error("Cannot write " + m_state->part.string());
    }
    std::filesystem::rename(m_state->part, m_state->out);
    m_state->finished = true;
}

} // namespace korvo
