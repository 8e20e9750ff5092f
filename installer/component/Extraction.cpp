#include "Extraction.h"

#include "Folders.h"

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvo {

ArchiveEntry describe(archive_entry* entry) {
    auto text = [](const char* utf8, const char* raw) {
        return std::string(utf8 != nullptr ? utf8 : raw != nullptr ? raw : "");
    };
    ArchiveEntry described;
    described.path = text(archive_entry_pathname_utf8(entry), archive_entry_pathname(entry));
    if (archive_entry_hardlink(entry) != nullptr) {
        described.type = ArchiveEntry::Type::HardLink;
        described.linkTarget =
            text(archive_entry_hardlink_utf8(entry), archive_entry_hardlink(entry));
        return described;
    }
    switch (archive_entry_filetype(entry)) {
    case AE_IFREG:
        described.type = ArchiveEntry::Type::File;
        described.size = archive_entry_size_is_set(entry) != 0
                             ? static_cast<std::uint64_t>(archive_entry_size(entry))
                             : 0;
        break;
    case AE_IFDIR:
        described.type = ArchiveEntry::Type::Folder;
        break;
    case AE_IFLNK:
        described.type = ArchiveEntry::Type::Symlink;
        described.linkTarget =
            text(archive_entry_symlink_utf8(entry), archive_entry_symlink(entry));
        break;
    default:
        described.type = ArchiveEntry::Type::Special;
        break;
    }
    return described;
}

ArchivePtr newReader() {
    ArchivePtr reader(archive_read_new());
    if (!reader) {
        throw std::runtime_error("Out of memory.");
    }
    archive_read_support_filter_zstd(reader.get());
    archive_read_support_format_tar(reader.get());
    return reader;
}

la_ssize_t ArchiveSource::read(archive* a, void* self, const void** data) {
    auto* source = static_cast<ArchiveSource*>(self);
    if (source->hooks->cancelled && source->hooks->cancelled()) {
        source->failure = "The installation was cancelled.";
        archive_set_error(a, ECANCELED, "cancelled");
        return -1;
    }
    const auto n = static_cast<std::size_t>(
        std::min<std::uint64_t>(source->buffer.size(), source->size - source->done));
    try {
        readExactly(source->fd, source->buffer.data(), n, source->offset + source->done);
    } catch (const std::exception& error) {
        source->failure = error.what();
        archive_set_error(a, EIO, "read failed");
        return -1;
    }
    source->done += n;
    if (source->hooks->progress) {
        source->hooks->progress(source->done, source->size);
    }
    *data = source->buffer.data();
    return static_cast<la_ssize_t>(n);
}

std::string archiveFailure(archive* reader, const ArchiveSource& source) {
    if (!source.failure.empty()) {
        return source.failure;
    }
    const char* text = archive_error_string(reader);
    return std::string("The component's archive is damaged") +
           (text != nullptr ? std::string(" (") + text + ")." : std::string("."));
}

void Extractor::extract(archive* reader, archive_entry* entry, const ArchiveEntry& described) {
    std::string_view inside = described.path;
    inside.remove_prefix(std::min(inside.size(), m_game.size() + 1));
    if (inside.ends_with('/')) {
        inside.remove_suffix(1);
    }
    ensureGameFolder();
    if (inside.empty()) {
        return; // the game folder's own entry
    }
    const auto [parentPath, leaf] = splitLast(inside);
    const std::string name(leaf);
    announceStep(m_hooks, "create " + std::string(inside));
    const UniqueFd& parent = folder(parentPath);
    const std::string display = m_game + '/' + std::string(inside);
    switch (described.type) {
    case ArchiveEntry::Type::Folder:
        if (::mkdirat(parent.get(), name.c_str(), 0755) != 0) {
            // An archive may name a folder after files inside it were made.
            const int error = errno;
            if (error != EEXIST || !m_made.contains(std::string(inside) + '/')) {
                throw SystemError(error, "Cannot create " + display);
            }
            return;
        }
        remember(std::string(inside) + '/');
        return;
    case ArchiveEntry::Type::Symlink:
        if (::symlinkat(described.linkTarget.c_str(), parent.get(), name.c_str()) != 0) {
            throw SystemError(errno, "Cannot create " + display);
        }
        break;
    case ArchiveEntry::Type::HardLink: {
        std::string_view target = described.linkTarget;
        target.remove_prefix(m_game.size() + 1);
        const auto [targetParentPath, targetLeaf] = splitLast(target);
        const UniqueFd targetParent = openFolder(m_gameFd.get(), targetParentPath, m_game + '/');
        if (::linkat(targetParent.get(), std::string(targetLeaf).c_str(), parent.get(),
                     name.c_str(), 0) != 0) {
            throw SystemError(errno, "Cannot create " + display);
        }
        if (const auto linked = m_digests.find(std::string(target)); linked != m_digests.end()) {
            m_digests.emplace(inside, linked->second);
        }
        break;
    }
    case ArchiveEntry::Type::File:
        m_digests.emplace(inside, writeFile(reader, entry, parent.get(), name, display));
        break;
    case ArchiveEntry::Type::Special:
        throw std::logic_error("special entries are refused before extraction");
    }
    remember(std::string(inside));
}

void Extractor::ensureGameFolder() {
    if (m_gameFd.get() >= 0) {
        return;
    }
    announceStep(m_hooks, "create the game folder");
    if (::mkdirat(m_staging, m_game.c_str(), 0755) != 0) {
        throw SystemError(errno, "Cannot create the folder " + m_game);
    }
    m_gameFd = openFolder(m_staging, m_game, "");
}

// The folder that holds the next entry: usually the last one's, so it is kept open.
const UniqueFd& Extractor::folder(std::string_view path) {
    if (m_folderFd.get() < 0 || path != m_folderPath) {
        std::vector<std::string> created;
        m_folderFd = openFolder(m_gameFd.get(), path, m_game + '/', &created);
        for (auto& made : created) {
            remember(std::move(made));
        }
        m_folderPath = path;
    }
    return m_folderFd;
}

Digest Extractor::writeFile(archive* reader, archive_entry* entry, int parent,
                            const std::string& name, const std::string& display) {
    // Only the owner's execute bit decides; no set-id bits, no odd permissions.
    const mode_t mode = (archive_entry_perm(entry) & 0100) != 0 ? 0755 : 0644;
    const UniqueFd file(
        ::openat(parent, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
    if (file.get() < 0) {
        throw SystemError(errno, "Cannot create " + display);
    }
    const void* block = nullptr;
    std::size_t size = 0;
    la_int64_t offset = 0;
    DigestStream digest; // of the file's bytes, holes included
    la_int64_t digested = 0;
    while (true) {
        const int status = archive_read_data_block(reader, &block, &size, &offset);
        if (status == ARCHIVE_EOF) {
            break;
        }
        if (status < ARCHIVE_WARN) {
            throw InstallError("");
        }
        const auto* bytes = static_cast<const char*>(block);
        if (offset < digested) {
            throw InstallError(""); // blocks come in order
        }
        digest.addZeros(static_cast<std::uint64_t>(offset - digested));
        digest.add(bytes, size);
        digested = offset + static_cast<la_int64_t>(size);
        while (size > 0) {
            const ssize_t n = ::pwrite(file.get(), bytes, size, offset);
            if (n < 0) {
                if (errno == EINTR) {
                    continue;
                }
                throw SystemError(errno, "Cannot write " + display);
            }
            bytes += n;
            size -= static_cast<std::size_t>(n);
            offset += n;
        }
    }
    // A sparse file's hole at its end.
    if (archive_entry_size_is_set(entry)) {
        if (::ftruncate(file.get(), archive_entry_size(entry)) != 0) {
            throw SystemError(errno, "Cannot write " + display);
        }
        digest.addZeros(static_cast<std::uint64_t>(
            std::max<la_int64_t>(0, archive_entry_size(entry) - digested)));
    }
    // Start writing it to the disk now, without waiting, so that the flush before the
    // folder is put in place has little left to do.
    ::sync_file_range(file.get(), 0, 0, SYNC_FILE_RANGE_WRITE);
    return digest.finish();
}

} // namespace korvo
