#pragma once

// The signing keys of components. A secret key file holds the key's 32-byte seed as 64
// hexadecimal digits and a line feed; a public key file holds the public key the same way.

#include "ComponentFile.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace korvo {

struct KeyPair {
    PublicKey publicKey{};
    SecretKey secretKey{};
};

KeyPair generateKeyPair();

std::string toHex(std::span<const unsigned char> bytes);

// Throws std::runtime_error naming the file when it is missing or not a key.
KeyPair readSecretKeyFile(const std::filesystem::path& file);
// Readable by its owner only; never replaces an existing file (a key that signed components
// must not be lost), throws instead.
void writeSecretKeyFile(const std::filesystem::path& file, const KeyPair& keys);
void writePublicKeyFile(const std::filesystem::path& file, const PublicKey& key);

} // namespace korvo
