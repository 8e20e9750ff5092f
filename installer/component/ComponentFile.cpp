#include "ComponentFile.h"

#include "SystemError.h"

#include <sodium.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <vector>

#include <fcntl.h>
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
    if (getLittle(header + 8, 4) != kFormatVersion) {
        return std::string("The component was made for a newer version of this program.");
    }
    Trailer trailer;
    trailer.archiveOffset = getLittle(header + 16, 8);
    trailer.archiveSize = getLittle(header + 24, 8);
    const std::uint64_t archiveEnd = fileSize - kTrailerSize;
    // The archive must end right at the header; written this way nothing can overflow.
    if (getLittle(header + 12, 4) != 0 || trailer.archiveSize == 0 ||
        trailer.archiveOffset > archiveEnd ||
        trailer.archiveSize != archiveEnd - trailer.archiveOffset) {
        return std::string("The component's header is damaged.");
    }
    std::memcpy(trailer.signature.data(), header + kHeaderSize, trailer.signature.size());
    return trailer;
}

ComponentCheck verifyComponent(const std::filesystem::path& file, const PublicKey& key) {
    ComponentCheck check;
    try {
        initSodium();
        const UniqueFd fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
        if (fd.get() < 0) {
            throw SystemError(errno, "Cannot read " + file.string());
        }
        struct stat info {};
        if (::fstat(fd.get(), &info) != 0) {
            throw SystemError(errno, "Cannot read " + file.string());
        }
        if (!S_ISREG(info.st_mode)) {
            check.reason = file.string() + " is not a file.";
            return check;
        }
        const auto size = static_cast<std::uint64_t>(info.st_size);
        std::array<unsigned char, kTrailerSize> tail{};
        if (size < kTrailerSize) {
            check.reason = kNotSigned;
            return check;
        }
        readExactly(fd.get(), tail.data(), tail.size(), size - kTrailerSize);
        const auto parsed = parseTrailer(tail, size);
        if (const auto* reason = std::get_if<std::string>(&parsed)) {
            check.reason = *reason;
            return check;
        }
        const auto& trailer = std::get<Trailer>(parsed);

        crypto_sign_state state;
        crypto_sign_init(&state);
        std::vector<unsigned char> buffer(kChunk);
        const std::uint64_t signedSize = size - kTrailerSize + kHeaderSize;
        for (std::uint64_t done = 0; done < signedSize;) {
            const std::size_t n =
                static_cast<std::size_t>(std::min<std::uint64_t>(kChunk, signedSize - done));
            readExactly(fd.get(), buffer.data(), n, done);
            crypto_sign_update(&state, buffer.data(), n);
            done += n;
        }
        Signature signature = trailer.signature;
        if (crypto_sign_final_verify(&state, signature.data(), key.data()) != 0) {
            check.reason = kBadSignature;
            return check;
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

void ComponentWriter::finish() {
    if (!m_state->archiveBegun || m_state->written == m_state->archiveOffset) {
        throw std::logic_error("a component needs an archive");
    }
    std::array<unsigned char, kHeaderSize> header{};
    std::copy(kHeaderMagic.begin(), kHeaderMagic.end(), header.begin());
    putLittle(header.data() + 8, kFormatVersion, 4);
    putLittle(header.data() + 16, m_state->archiveOffset, 8);
    putLittle(header.data() + 24, m_state->written - m_state->archiveOffset, 8);
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
