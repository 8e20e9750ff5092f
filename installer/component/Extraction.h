#pragma once

// Reading a component's archive and writing its entries below a staging folder. Nothing here
// checks an entry: the caller passes only entries that EntryRules accepted.

#include "Digests.h"
#include "EntryRules.h"
#include "Install.h"
#include "SystemError.h"

#include <archive.h>
#include <archive_entry.h>

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace korvo {

// A failure whose message is meant for a person as it stands. Empty from the extraction: the
// archive reader's own failure tells why.
class InstallError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct ArchiveFree {
    void operator()(archive* a) const { archive_read_free(a); }
};
using ArchivePtr = std::unique_ptr<archive, ArchiveFree>;

// A reader of the components' archives: tar, compressed with zstd.
ArchivePtr newReader();

ArchiveEntry describe(archive_entry* entry);

// The archive's bytes straight from the component file, counted for the progress bar.
struct ArchiveSource {
    int fd = -1;
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
    std::uint64_t done = 0;
    const InstallHooks* hooks = nullptr;
    std::vector<char> buffer = std::vector<char>(std::size_t{256} * 1024);
    std::string failure;

    static la_ssize_t read(archive* a, void* self, const void** data);
};

// Why reading the archive failed, for a person.
std::string archiveFailure(archive* reader, const ArchiveSource& source);

// Writes the archive's entries below the staging folder, game folder first; remembers what it
// made, relative to the game folder.
class Extractor {
public:
    Extractor(int staging, std::string game, const InstallHooks& hooks)
        : m_staging(staging), m_game(std::move(game)), m_hooks(hooks) {}

    void extract(archive* reader, archive_entry* entry, const ArchiveEntry& described);

    int gameFd() {
        ensureGameFolder();
        return m_gameFd.get();
    }
    std::vector<std::string> made() const { return {m_made.begin(), m_made.end()}; }
    // What each file made holds.
    const std::map<std::string, Digest>& digests() const { return m_digests; }

private:
    void remember(std::string path) { m_made.insert(std::move(path)); }
    void ensureGameFolder();
    const UniqueFd& folder(std::string_view path);
    static Digest writeFile(archive* reader, archive_entry* entry, int parent,
                            const std::string& name, const std::string& display);

    int m_staging;
    std::string m_game;
    const InstallHooks& m_hooks;
    UniqueFd m_gameFd;
    UniqueFd m_folderFd;
    std::string m_folderPath;
    std::set<std::string> m_made;
    std::map<std::string, Digest> m_digests;
};

} // namespace korvo
