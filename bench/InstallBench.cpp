// Installing a component of about 50 MB, into an empty folder and over the game already there,
// against "tar -x" of the same archive bytes (the same zstd compression) followed by sync, in the
// same run. The payload is mixed like a game's: the game's program, pictures and sounds that do
// not compress, sampled sound that compresses a little, text, and many small files in nested
// folders. Made once per run in a temporary folder.
#include "ComponentFile.h"
#include "Install.h"
#include "Pack.h"
#include "Signing.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct Payload {
    fs::path root;
    fs::path component;
    fs::path archive; // the component's archive bytes alone, as a .tar.zst
    korvo::KeyPair keys;
    std::uint64_t componentSize = 0;

    Payload() {
        root = fs::temp_directory_path() / ("korvo-install-bench-" + std::to_string(::getpid()));
        fs::remove_all(root);
        const fs::path game = root / "game" / "Korvo's Bench";
        fs::create_directories(game / "add");
        fs::copy_file(fs::path(ZELTRIX_DIR) / "Korvo's Zeltrix.exe", game / "Korvo's Bench.exe");
        std::mt19937_64 random(2026);
        auto write = [](const fs::path& path, const std::string& bytes) {
            fs::create_directories(path.parent_path());
            std::ofstream(path, std::ios::binary) << bytes;
        };
        auto noise = [&random](std::size_t size) {
            std::string bytes(size, '\0');
            for (std::size_t i = 0; i + 8 <= size; i += 8) {
                const std::uint64_t r = random();
                std::memcpy(bytes.data() + i, &r, 8);
            }
            return bytes;
        };
        for (int i = 0; i < 12; ++i) { // compressed pictures and music: 1 to 4 MB each
            write(game / "add" / ("picture " + std::to_string(i) + ".gif"),
                  noise((1 + i % 4) << 20));
        }
        for (int i = 0; i < 6; ++i) { // 16-bit sampled sound with a little noise, 2 MB each
            std::string wave(2 << 20, '\0');
            for (std::size_t s = 0; s + 2 <= wave.size(); s += 2) {
                const auto v = static_cast<std::int16_t>(
                    8000 * std::sin(static_cast<double>(s) * (0.01 + 0.002 * i)) +
                    static_cast<double>(random() % 64));
                std::memcpy(wave.data() + s, &v, 2);
            }
            write(game / "add" / ("sound " + std::to_string(i) + ".wav"), wave);
        }
        for (int i = 0; i < 300; ++i) { // text: 30 KB each
            std::string text;
            while (text.size() < 30000) {
                text += "\"x + " + std::to_string(random() % 100) + " = " +
                        std::to_string(random() % 1000) + "\",\"" + std::to_string(random() % 50) +
                        "\"\r\n";
            }
            write(game / "add" / "text" / ("level " + std::to_string(i) + ".txt"), text);
        }
        for (int i = 0; i < 2000; ++i) { // small files in nested folders: 1 to 4 KB
            write(game / "add" / "sprites" / std::to_string(i % 20) / std::to_string(i / 20 % 5) /
                      ("frame " + std::to_string(i) + ".spr"),
                  noise(1024 * (1 + i % 4)));
        }
        const fs::path head = root / "setup-head";
        write(head, noise(2 << 20));
        keys = korvo::generateKeyPair();
        component = root / "bench.cmp";
        korvo::packComponent(head, game, keys.secretKey, component, {"1.0", {}});
        componentSize = fs::file_size(component);
        const auto check = korvo::verifyComponent(component, keys.publicKey);
        std::ifstream in(component, std::ios::binary);
        in.seekg(static_cast<std::streamoff>(check.archiveOffset));
        std::string bytes(check.archiveSize, '\0');
        in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        archive = root / "payload.tar.zst";
        write(archive, bytes);
    }
    ~Payload() { fs::remove_all(root); }
};

Payload& payload() {
    static Payload made;
    return made;
}

// The components folder, empty or (over) holding the game as the last run left it, with
// everything written so far flushed, so that no run pays for the one before.
fs::path target(bool over) {
    const fs::path target = payload().root / "components";
    if (!over) {
        fs::remove_all(target);
    }
    fs::create_directories(target);
    ::sync();
    return target;
}

void spawnTar(const fs::path& into, benchmark::State& state) {
    const std::string archive = payload().archive.string();
    const std::string folder = into.string();
    const char* argv[] = {"tar",           "-x", "--zstd",       "-f",
                          archive.c_str(), "-C", folder.c_str(), nullptr};
    pid_t child = 0;
    int status = 0;
    if (::posix_spawnp(&child, "tar", nullptr, nullptr, const_cast<char**>(argv), environ) != 0 ||
        ::waitpid(child, &status, 0) != child || status != 0) {
        state.SkipWithError("tar failed");
    }
}

// Argument 0: into an empty folder; 1: over the game already there (a reinstall).
void BM_InstallComponent(benchmark::State& state) {
    Payload& p = payload();
    const bool over = state.range(0) == 1;
    if (over) {
        korvo::installComponent(p.component, target(false), p.keys.publicKey);
    }
    for (auto _ : state) {
        state.PauseTiming();
        const fs::path into = target(over);
        state.ResumeTiming();
        const auto result = korvo::installComponent(p.component, into, p.keys.publicKey);
        if (!result.ok) {
            state.SkipWithError(result.reason.c_str());
            return;
        }
    }
    state.counters["component_MB"] = static_cast<double>(p.componentSize) / 1e6;
}

// tar -x, then sync: what tar wrote reaches the disk, as an installation's files do.
void BM_TarExtractSync(benchmark::State& state) {
    Payload& p = payload();
    const bool over = state.range(0) == 1;
    if (over) {
        spawnTar(target(false), state);
    }
    for (auto _ : state) {
        state.PauseTiming();
        const fs::path into = target(over);
        state.ResumeTiming();
        spawnTar(into, state);
        ::sync();
    }
    state.counters["archive_MB"] = static_cast<double>(fs::file_size(p.archive)) / 1e6;
}

} // namespace

BENCHMARK(BM_InstallComponent)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);
BENCHMARK(BM_TarExtractSync)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);

BENCHMARK_MAIN();
