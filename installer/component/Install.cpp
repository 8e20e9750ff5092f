#include "Install.h"

#include "ComponentLock.h"
#include "Extraction.h"
#include "Folders.h"
#include "GameFolders.h"
#include "Manifest.h"
#include "Merge.h"
#include "Staging.h"
#include "SystemError.h"

#include <cerrno>
#include <cstdint>
#include <set>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace korvo {

namespace {

void writeWholeFile(int folder, const std::string& name, const std::string& text,
                    const std::string& display) {
    const UniqueFd file(
        ::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
    if (file.get() < 0) {
        throw SystemError(errno, "Cannot write " + display);
    }
    if (::write(file.get(), text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
        throw SystemError(errno == 0 ? ENOSPC : errno, "Cannot write " + display);
    }
}

// Writes the manifest and the digests into the new game folder, carrying into it what the
// existing one holds that is not replaced, and flushes it all to the disk.
void completeGame(int componentsFd, int gameFd, const std::string& game, const ComponentInfo& info,
                  const Extractor& extractor, const InstallHooks& hooks) {
    std::vector<std::string> named = extractor.made();
    named.emplace_back(kManifestName);
    named.emplace_back(kDigestsName);
    const std::set<std::string> player(info.playerFiles.begin(), info.playerFiles.end());
    DigestRecord record{info.version, {}};
    for (const auto& [path, digest] : extractor.digests()) {
        record.files[path] = {digest, player.contains(path)};
    }
    const UniqueFd existing(
        ::openat(componentsFd, game.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (existing.get() < 0 && errno != ENOENT) {
        throw SystemError(errno, "Cannot use the existing folder " + game);
    }
    if (existing.get() >= 0) {
        // A damaged manifest names nothing: then everything in the way is kept as the player's.
        MergePlan plan{{named.begin(), named.end()}, {}, player, extractor.digests(), {}};
        if (auto installed = installedFiles(existing.get())) {
            plan.ours = {installed->entries.begin(), installed->entries.end()};
            plan.recorded = std::move(installed->digests);
        }
        for (const auto& entry : mergeGameFolder(existing.get(), gameFd, game, plan, hooks)) {
            named.push_back(entry);
            // Files of the earlier installation that the new one does not have keep what it
            // recorded of them.
            if (plan.recorded && plan.recorded->files.contains(entry)) {
                record.files[entry] = plan.recorded->files.at(entry);
            }
        }
    }
    announceStep(hooks, "write the manifest");
    writeWholeFile(gameFd, std::string(kManifestName), formatManifest(named),
                   game + '/' + std::string(kManifestName));
    announceStep(hooks, "write the digests");
    writeWholeFile(gameFd, std::string(kDigestsName), formatDigests(record),
                   game + '/' + std::string(kDigestsName));
    announceStep(hooks, "flush the new folder");
    if (::syncfs(gameFd) != 0) {
        throw SystemError(errno, "Cannot write the game to the disk");
    }
}

std::string megabytes(std::uint64_t bytes) {
    return std::to_string((bytes + 999999) / 1000000) + " MB";
}

// Before anything is written: room for every file, each rounded up to a whole block, and for
// the folders. Format 1 records no size.
void checkFreeSpace(const std::filesystem::path& componentsDir, const ComponentInfo& info) {
    struct statvfs disk {};
    if (info.format == 1 || ::statvfs(componentsDir.c_str(), &disk) != 0) {
        return;
    }
    const auto block = static_cast<std::uint64_t>(disk.f_frsize);
    const std::uint64_t free = static_cast<std::uint64_t>(disk.f_bavail) * block;
    const std::uint64_t needed =
        info.unpackedSize + std::min(info.entries, UINT64_MAX / 2 / block) * block;
    if (needed > free || needed < info.unpackedSize) {
        throw InstallError("There is not enough free space in " + componentsDir.string() + ": " +
                           info.game + " needs " + megabytes(needed) + ", and " + megabytes(free) +
                           " are free.");
    }
}

// The numbers the signed description records bound what the archive may unpack to.
class ArchiveLimits {
public:
    explicit ArchiveLimits(const ComponentInfo& info) : m_info(info) {}

    void admit(const ArchiveEntry& entry) {
        if (m_info.format == 1) {
            return;
        }
        if (++m_entries > m_info.entries) {
            throw InstallError("The component was refused: its archive holds more than the " +
                               std::to_string(m_info.entries) + " entries it records.");
        }
        if (entry.size > m_info.unpackedSize - m_bytes) {
            throw InstallError("The component was refused: its archive unpacks to more than the " +
                               std::to_string(m_info.unpackedSize) + " bytes it records.");
        }
        m_bytes += entry.size;
    }

private:
    const ComponentInfo& m_info;
    std::uint64_t m_entries = 0;
    std::uint64_t m_bytes = 0;
};

void install(const std::filesystem::path& component, const std::filesystem::path& componentsDir,
             const PublicKey& key, const InstallHooks& hooks, InstallResult& result) {
    // Opened once: the bytes extracted are the bytes checked.
    const UniqueFd file(::open(component.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0) {
        throw SystemError(errno, "Cannot read " + component.string());
    }
    const ComponentCheck check = verifyComponent(file.get(), key);
    if (!check.ok) {
        throw InstallError(check.reason);
    }
    const UniqueFd componentsFd(::open(componentsDir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (componentsFd.get() < 0) {
        throw SystemError(errno, "Cannot open the components folder " + componentsDir.string());
    }
    ArchiveSource source;
    source.fd = file.get();
    source.offset = check.archiveOffset;
    source.size = check.archiveSize;
    source.hooks = &hooks;
    const ArchivePtr reader = newReader();
    archive_entry* entry = nullptr;
    if (archive_read_open(reader.get(), &source, nullptr, &ArchiveSource::read, nullptr) !=
        ARCHIVE_OK) {
        throw InstallError(archiveFailure(reader.get(), source));
    }

    EntryRules rules;
    ArchiveLimits limits(check.info);
    // A warning (a name that the C locale cannot show, say) is no failure: names are read as
    // UTF-8.
    int status = archive_read_next_header(reader.get(), &entry);
    if (status == ARCHIVE_EOF) {
        throw InstallError("The component holds no game.");
    }
    if (status < ARCHIVE_WARN) {
        throw InstallError(archiveFailure(reader.get(), source));
    }
    ArchiveEntry described = describe(entry);
    if (const std::string fault = rules.check(described); !fault.empty()) {
        throw InstallError(fault);
    }
    const std::string game = rules.gameFolder();
    if (check.info.format != 1 && game != check.info.game) {
        throw InstallError("The component was refused: it says it holds " + check.info.game +
                           ", but its archive holds " + game + ".");
    }
    result.gameFolder = game;
    if (hooks.named) {
        hooks.named(game);
    }
    checkFreeSpace(componentsDir, check.info);

    const ComponentLock lock(componentsDir, hooks.lockTimeout, hooks.waiting, hooks.cancelled);
    recoverInterruptedInstallation(componentsFd.get(), hooks);
    removeStaleStaging(componentsFd.get());
    StagingFolder staging(componentsFd.get(), componentsDir.string(), hooks);
    Extractor extractor(staging.fd(), game, hooks);
    while (true) {
        limits.admit(described);
        try {
            extractor.extract(reader.get(), entry, described);
        } catch (const InstallError&) {
            throw InstallError(archiveFailure(reader.get(), source));
        }
        status = archive_read_next_header(reader.get(), &entry);
        if (status == ARCHIVE_EOF) {
            break;
        }
        if (status < ARCHIVE_WARN) {
            throw InstallError(archiveFailure(reader.get(), source));
        }
        described = describe(entry);
        if (const std::string fault = rules.check(described); !fault.empty()) {
            throw InstallError(fault);
        }
    }
    completeGame(componentsFd.get(), extractor.gameFd(), game, check.info, extractor, hooks);
    if (hooks.cancelled && hooks.cancelled()) {
        throw InstallError("The installation was cancelled.");
    }
    staging.swapIn(game);
}

} // namespace

InstallResult installComponent(const std::filesystem::path& component,
                               const std::filesystem::path& componentsDir, const PublicKey& key,
                               const InstallHooks& hooks) {
    InstallResult result;
    try {
        install(component, componentsDir, key, hooks, result);
        result.ok = true;
    } catch (const std::exception& error) {
        result.ok = false;
        result.reason = error.what();
    }
    return result;
}

} // namespace korvo
