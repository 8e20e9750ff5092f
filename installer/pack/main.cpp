// korvo_pack: makes signing keys and packs signed components. A build tool: the build runs it.
#include "Pack.h"
#include "Signing.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const char* const kUsage =
    "usage:\n"
    "  korvo_pack keygen SECRET_KEY_FILE PUBLIC_KEY_FILE\n"
    "      makes a key pair; an existing secret key is kept and only its public key written\n"
    "  korvo_pack public-key SECRET_KEY_FILE\n"
    "      prints the public key\n"
    "  korvo_pack key-source SECRET_KEY_FILE OUT.cpp\n"
    "      writes the source that builds the public key into the programs\n"
    "  korvo_pack pack --version VERSION [--player FILE]... SETUP_PROGRAM GAME_FOLDER\n"
    "                  SECRET_KEY_FILE OUT.cmp [DEPFILE [SOURCE]]\n"
    "      packs and signs a component of the game VERSION; each FILE (relative to\n"
    "      GAME_FOLDER) is the player's, kept when the game is installed again or removed;\n"
    "      DEPFILE lists what was read, for the build, or the same files in SOURCE, the\n"
    "      folder GAME_FOLDER was installed from\n";

// Writes the file only when its text changes, so that nothing that depends on it is rebuilt.
void writeIfChanged(const fs::path& file, const std::string& text) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream old;
    old << in.rdbuf();
    if (in && old.str() == text) {
        return;
    }
    in.close();
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out.flush()) {
        throw std::runtime_error("Cannot write " + file.string());
    }
}

std::string keySource(const korvo::PublicKey& key) {
    std::ostringstream text;
    text << "// Made by korvo_pack key-source from the signing key; not to be edited.\n"
            "#include \"ComponentFile.h\"\n\n"
            "korvo::PublicKey korvo::componentPublicKey() {\n"
            "    return {\n            ";
    for (std::size_t i = 0; i < key.size(); ++i) {
        text << (i == 0       ? ""
                 : i % 8 == 0 ? ",\n            "
                              : ", ")
             << "0x" << std::hex << static_cast<int>(key[i]);
    }
    text << "};\n}\n";
    return text.str();
}

// Makefile syntax, as Ninja reads it: blanks and '#' escaped.
std::string dependencyPath(const fs::path& path) {
    std::string out;
    for (const char c : path.string()) {
        if (c == ' ' || c == '#' || c == '\\') {
            out += '\\';
        } else if (c == '$') {
            out += '$';
        }
        out += c;
    }
    return out;
}

int run(std::vector<std::string> args) {
    if (args.size() == 3 && args[0] == "keygen") {
        korvo::KeyPair keys;
        if (fs::exists(args[1])) {
            keys = korvo::readSecretKeyFile(args[1]);
            std::cout << "keeping the signing key " << args[1] << '\n';
        } else {
            keys = korvo::generateKeyPair();
            korvo::writeSecretKeyFile(args[1], keys);
            std::cout << "made the signing key " << args[1] << '\n';
        }
        korvo::writePublicKeyFile(args[2], keys.publicKey);
        return 0;
    }
    if (args.size() == 2 && args[0] == "public-key") {
        std::cout << korvo::toHex(korvo::readSecretKeyFile(args[1]).publicKey) << '\n';
        return 0;
    }
    if (args.size() == 3 && args[0] == "key-source") {
        writeIfChanged(args[2], keySource(korvo::readSecretKeyFile(args[1]).publicKey));
        return 0;
    }
    korvo::PackOptions options;
    while (args.size() >= 3 && args[0] == "pack" &&
           (args[1] == "--version" || args[1] == "--player")) {
        if (args[1] == "--version") {
            options.version = args[2];
        } else {
            options.playerFiles.push_back(args[2]);
        }
        args.erase(args.begin() + 1, args.begin() + 3);
    }
    if (args.size() >= 5 && args.size() <= 7 && args[0] == "pack" && !options.version.empty()) {
        const korvo::KeyPair keys = korvo::readSecretKeyFile(args[3]);
        const auto read = korvo::packComponent(args[1], args[2], keys.secretKey, args[4], options);
        if (args.size() >= 6) {
            // An installed copy keeps its source's times, so only the source tells the build
            // that a file has changed.
            const fs::path source = args.size() == 7 ? fs::path(args[6]) : fs::path(args[2]);
            std::string text = dependencyPath(args[4]) + ":";
            for (const auto& path : read) {
                text += " \\\n  " + dependencyPath(source / fs::relative(path, args[2]));
            }
            writeIfChanged(args[5], text + '\n');
        }
        std::cout << "packed " << args[2] << " into " << args[4] << " (" << fs::file_size(args[4])
                  << " bytes)\n";
        return 0;
    }
    std::cerr << kUsage;
    return 2;
}

} // namespace

int main(int argc, char* argv[]) {
    try {
        return run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& error) {
        std::cerr << "korvo_pack: " << error.what() << '\n';
        return 1;
    }
}
