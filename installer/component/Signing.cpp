#include "Signing.h"

#include "SystemError.h"

#include <sodium.h>

#include <cerrno>
#include <fstream>
#include <stdexcept>

#include <fcntl.h>
#include <unistd.h>

namespace korvo {

namespace {

void writeAll(int fd, const std::string& text, const std::filesystem::path& file) {
    if (::write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
        throw SystemError(errno, "Cannot write " + file.string());
    }
}

} // namespace

KeyPair generateKeyPair() {
    if (sodium_init() < 0) {
        throw std::runtime_error("The signature library could not start.");
    }
    KeyPair keys;
    crypto_sign_keypair(keys.publicKey.data(), keys.secretKey.data());
    return keys;
}

std::string toHex(std::span<const unsigned char> bytes) {
    std::string hex(bytes.size() * 2 + 1, '\0');
    sodium_bin2hex(hex.data(), hex.size(), bytes.data(), bytes.size());
    hex.pop_back();
    return hex;
}

KeyPair readSecretKeyFile(const std::filesystem::path& file) {
    if (sodium_init() < 0) {
        throw std::runtime_error("The signature library could not start.");
    }
    std::ifstream in(file);
    std::string line;
    if (!in || !std::getline(in, line)) {
        throw std::runtime_error("Cannot read the signing key " + file.string());
    }
    std::array<unsigned char, crypto_sign_SEEDBYTES> seed{};
    std::size_t length = 0;
    const char* end = nullptr;
    if (sodium_hex2bin(seed.data(), seed.size(), line.data(), line.size(), nullptr, &length,
                       &end) != 0 ||
        length != seed.size() || end != line.data() + line.size()) {
        throw std::runtime_error(file.string() + " is not a signing key (64 hexadecimal digits).");
    }
    KeyPair keys;
    crypto_sign_seed_keypair(keys.publicKey.data(), keys.secretKey.data(), seed.data());
    sodium_memzero(seed.data(), seed.size());
    sodium_memzero(line.data(), line.size());
    return keys;
}

void writeSecretKeyFile(const std::filesystem::path& file, const KeyPair& keys) {
    const UniqueFd fd(::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (fd.get() < 0) {
        throw SystemError(errno, "Cannot create the signing key " + file.string());
    }
    // The seed is the first half of libsodium's secret key.
    std::string text = toHex(std::span(keys.secretKey).first(crypto_sign_SEEDBYTES)) + '\n';
    writeAll(fd.get(), text, file);
    sodium_memzero(text.data(), text.size());
}

void writePublicKeyFile(const std::filesystem::path& file, const PublicKey& key) {
    std::ofstream out(file, std::ios::trunc);
    out << toHex(key) << '\n';
    if (!out.flush()) {
        throw std::runtime_error("Cannot write " + file.string());
    }
}

} // namespace korvo
