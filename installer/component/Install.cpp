#include "Install.h"

#include "ComponentLock.h"
#include "Folders.h"
#include "Manifest.h"
#include "SystemError.h"

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvo {

namespace {

// A name fit to show: control characters become '?'.
std::string shown(std::string_view text) {
    std::string out(text.substr(0, 200));
    for (char& c : out) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
            c = '?';
        }
    }
    return '"' + out + '"';
}

bool hasControl(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; });
}

std::vector<std::string_view> splitNames(std::string_view path) {
    std::vector<std::string_view> names;
    std::size_t start = 0;
    while (true) {
        const std::size_t slash = path.find('/', start);
        names.push_back(path.substr(start, slash - start));
        if (slash == std::string_view::npos) {
            return names;
        }
        start = slash + 1;
    }
}

// The reason a path is not a plain relative path, or empty.
std::string pathFault(std::string_view path, bool folder) {
    if (path.starts_with('/')) {
        return "an absolute path, " + shown(path);
    }
    if (hasControl(path)) {
        return "a name with control characters, " + shown(path);
    }
    std::string_view body = path;
    if (folder && body.ends_with('/')) {
        body.remove_suffix(1);
    }
    for (const auto name : splitNames(body)) {
        if (name == "..") {
            return "a path that leads out of its folder, " + shown(path);
        }
    }
    if (!isPlainRelativePath(path, folder)) {
        return "an unusable path, " + shown(path);
    }
    return {};
}

std::string symlinkFault(std::string_view path, std::string_view target) {
    std::string outside =
        "a link that points outside the game, " + shown(path) + " to " + shown(target);
    if (target.empty() || target.starts_with('/') || hasControl(target)) {
        return outside;
    }
    // The link's folder lies this many levels below the game folder.
    const auto depth = static_cast<std::ptrdiff_t>(splitNames(path).size()) - 2;
    std::ptrdiff_t up = 0;
    bool named = false;
    for (const auto name : splitNames(target)) {
        if (name == ".." && !named) {
            ++up;
        } else if (name.empty() || name == "." || name == "..") {
            return outside;
        } else {
            named = true;
        }
    }
    return named && up <= depth ? std::string() : outside;
}

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

struct ArchiveFree {
    void operator()(archive* a) const { archive_read_free(a); }
};
using ArchivePtr = std::unique_ptr<archive, ArchiveFree>;

ArchivePtr newReader() {
    ArchivePtr reader(archive_read_new());
    if (!reader) {
        throw std::runtime_error("Out of memory.");
    }
    archive_read_support_filter_zstd(reader.get());
    archive_read_support_format_tar(reader.get());
    return reader;
}

// The archive's bytes straight from the component file, counted for the progress bar.
struct ArchiveSource {
    int fd = -1;
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
    std::uint64_t done = 0;
    const InstallHooks* hooks = nullptr;
    std::vector<char> buffer = std::vector<char>(std::size_t{256} * 1024);
    std::string failure;

    static la_ssize_t read(archive* a, void* self, const void** data) {
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
};

std::string archiveFailure(archive* reader, const ArchiveSource& source) {
    if (!source.failure.empty()) {
        return source.failure;
    }
    const char* text = archive_error_string(reader);
    return std::string("The component's archive is damaged") +
           (text != nullptr ? std::string(" (") + text + ")." : std::string("."));
}

class InstallError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Writes the archive's entries below the temporary folder, game folder first; remembers what it
// made, relative to the game folder.
class Extractor {
public:
    Extractor(int temporary, std::string game) : m_temporary(temporary), m_game(std::move(game)) {}

    void extract(archive* reader, archive_entry* entry, const ArchiveEntry& described) {
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
            const UniqueFd targetParent =
                openFolder(m_gameFd.get(), targetParentPath, m_game + '/');
            if (::linkat(targetParent.get(), std::string(targetLeaf).c_str(), parent.get(),
                         name.c_str(), 0) != 0) {
                throw SystemError(errno, "Cannot create " + display);
            }
            break;
        }
        case ArchiveEntry::Type::File:
            writeFile(reader, entry, parent.get(), name, display);
            break;
        case ArchiveEntry::Type::Special:
            throw std::logic_error("special entries are refused before extraction");
        }
        remember(std::string(inside));
    }

    int gameFd() {
        ensureGameFolder();
        return m_gameFd.get();
    }
    std::vector<std::string> made() const { return {m_made.begin(), m_made.end()}; }

private:
    void remember(std::string path) { m_made.insert(std::move(path)); }

    void ensureGameFolder() {
        if (m_gameFd.get() >= 0) {
            return;
        }
        if (::mkdirat(m_temporary, m_game.c_str(), 0755) != 0) {
            throw SystemError(errno, "Cannot create the folder " + m_game);
        }
        m_gameFd = openFolder(m_temporary, m_game, "");
    }

    // The folder that holds the next entry: usually the last one's, so it is kept open.
    const UniqueFd& folder(std::string_view path) {
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

    static void writeFile(archive* reader, archive_entry* entry, int parent,
                          const std::string& name, const std::string& display) {
        // Only the owner's execute bit decides; no set-id bits, no odd permissions.
        const mode_t mode = (archive_entry_perm(entry) & 0100) != 0 ? 0755 : 0644;
        const UniqueFd file(::openat(parent, name.c_str(),
                                     O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
        if (file.get() < 0) {
            throw SystemError(errno, "Cannot create " + display);
        }
        const void* block = nullptr;
        std::size_t size = 0;
        la_int64_t offset = 0;
        while (true) {
            const int status = archive_read_data_block(reader, &block, &size, &offset);
            if (status == ARCHIVE_EOF) {
                break;
            }
            if (status < ARCHIVE_WARN) {
                throw InstallError("");
            }
            const auto* bytes = static_cast<const char*>(block);
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
        if (archive_entry_size_is_set(entry) &&
            ::ftruncate(file.get(), archive_entry_size(entry)) != 0) {
            throw SystemError(errno, "Cannot write " + display);
        }
        // Start writing it to the disk now, without waiting, so that the flush before the
        // folder is put in place has little left to do.
        ::sync_file_range(file.get(), 0, 0, SYNC_FILE_RANGE_WRITE);
    }

    int m_temporary;
    std::string m_game;
    UniqueFd m_gameFd;
    UniqueFd m_folderFd;
    std::string m_folderPath;
    std::set<std::string> m_made;
};

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

std::set<std::string> readManifestAt(int gameFolder) {
    const auto text = readTextAt(gameFolder, std::string(kManifestName));
    if (!text) {
        return {};
    }
    const auto parsed = parseManifest(*text);
    return {parsed.entries.begin(), parsed.entries.end()};
}

bool exists(int folder, const std::string& name, struct stat* info) {
    return ::fstatat(folder, name.c_str(), info, AT_SYMLINK_NOFOLLOW) == 0;
}

// Moves the new game folder's entries into an existing one (see the header), undoing every
// step if one fails.
class Merger {
public:
    enum class Root { Source, Target, Backup };

    Merger(int source, int target, int backup, std::string game)
        : m_roots{source, target, backup}, m_game(std::move(game)) {}

    void merge(std::vector<std::string> entries, const std::set<std::string>& ours) {
        // Parents come before what they hold; the manifest comes last.
        std::sort(entries.begin(), entries.end());
        std::stable_partition(entries.begin(), entries.end(),
                              [](const std::string& e) { return e != kManifestName; });
        try {
            for (const auto& entry : entries) {
                place(entry, ours);
            }
        } catch (...) {
            undo();
            throw;
        }
    }

private:
    struct Place {
        Root root;
        std::string path;
    };
    struct Step {
        Place from;
        Place to; // a folder made when from.path is empty
    };

    // The open folder that holds a place, and the place's own name.
    std::pair<UniqueFd, std::string> open(const Place& place) const {
        const auto [parent, name] = splitLast(place.path);
        return {openFolder(m_roots[static_cast<int>(place.root)], parent, m_game + '/'),
                std::string(name)};
    }

    void place(const std::string& entry, const std::set<std::string>& ours) {
        const bool folder = entry.ends_with('/');
        const std::string path = folder ? entry.substr(0, entry.size() - 1) : entry;
        const Place target{Root::Target, path};
        const auto [targetFolder, name] = open(target);
        struct stat info {};
        if (exists(targetFolder.get(), name, &info)) {
            if (folder && S_ISDIR(info.st_mode)) {
                return; // joins the existing folder
            }
            if (!folder && !S_ISDIR(info.st_mode) && ours.contains(entry)) {
                move(target, {Root::Backup, std::to_string(m_steps.size())});
            } else {
                const std::string_view parent = splitLast(path).first;
                std::string kept = parent.empty() ? std::string() : std::string(parent) + '/';
                move(target, {Root::Target, kept + keptName(targetFolder.get(), name)});
            }
        }
        if (folder) {
            if (::mkdirat(targetFolder.get(), name.c_str(), 0755) != 0) {
                throw SystemError(errno, "Cannot create " + m_game + '/' + path);
            }
            m_steps.push_back({{Root::Target, {}}, target});
            return;
        }
        move({Root::Source, path}, target);
    }

    static std::string keptName(int folder, const std::string& name) {
        struct stat info {};
        for (int n = 1;; ++n) {
            std::string candidate = name + ".kept" + (n == 1 ? "" : std::to_string(n));
            if (!exists(folder, candidate, &info)) {
                return candidate;
            }
        }
    }

    void move(const Place& from, const Place& to) {
        const auto [fromFolder, fromName] = open(from);
        const auto [toFolder, toName] = open(to);
        if (::renameat2(fromFolder.get(), fromName.c_str(), toFolder.get(), toName.c_str(),
                        RENAME_NOREPLACE) != 0) {
            throw SystemError(errno, "Cannot place " + m_game + '/' + from.path);
        }
        m_steps.push_back({from, to});
    }

    void undo() noexcept {
        for (auto step = m_steps.rbegin(); step != m_steps.rend(); ++step) {
            try {
                const auto [toFolder, toName] = open(step->to);
                if (step->from.path.empty()) {
                    ::unlinkat(toFolder.get(), toName.c_str(), AT_REMOVEDIR);
                    continue;
                }
                const auto [fromFolder, fromName] = open(step->from);
                ::renameat2(toFolder.get(), toName.c_str(), fromFolder.get(), fromName.c_str(),
                            RENAME_NOREPLACE);
            } catch (const std::exception&) {
                // Undo as much as can be undone.
            }
        }
        m_steps.clear();
    }

    std::array<int, 3> m_roots;
    std::string m_game;
    std::vector<Step> m_steps;
};

class TemporaryFolder {
public:
    explicit TemporaryFolder(const std::filesystem::path& componentsDir) {
        std::string pattern = (componentsDir / kTemporaryPrefix).string() + "XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw SystemError(errno,
                              "Cannot write to the components folder " + componentsDir.string());
        }
        m_path = pattern;
        m_fd.reset(::open(m_path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (m_fd.get() < 0) {
            throw SystemError(errno, "Cannot open " + m_path.string());
        }
    }
    ~TemporaryFolder() {
        m_fd.reset();
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    int fd() const { return m_fd.get(); }

private:
    std::filesystem::path m_path;
    UniqueFd m_fd;
};

// Leftovers of an installer that was killed; only called while holding the lock, so no
// installer is using them.
void removeStaleTemporaries(const std::filesystem::path& componentsDir) {
    std::error_code error;
    for (const auto& item : std::filesystem::directory_iterator(componentsDir, error)) {
        const std::string name = item.path().filename().string();
        if (name.starts_with(kTemporaryPrefix) && item.is_directory(error) &&
            !item.is_symlink(error)) {
            std::filesystem::remove_all(item.path(), error);
        }
    }
}

void install(const std::filesystem::path& component, const std::filesystem::path& componentsDir,
             const PublicKey& key, const InstallHooks& hooks, InstallResult& result) {
    const ComponentCheck check = verifyComponent(component, key);
    if (!check.ok) {
        throw InstallError(check.reason);
    }
    const UniqueFd componentsFd(::open(componentsDir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (componentsFd.get() < 0) {
        throw SystemError(errno, "Cannot open the components folder " + componentsDir.string());
    }
    const UniqueFd file(::open(component.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) {
        throw SystemError(errno, "Cannot read " + component.string());
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
    result.gameFolder = game;
    if (hooks.named) {
        hooks.named(game);
    }

    const ComponentLock lock(componentsDir, hooks.lockTimeout, hooks.waiting, hooks.cancelled);
    removeStaleTemporaries(componentsDir);
    const TemporaryFolder temporary(componentsDir);
    Extractor extractor(temporary.fd(), game);
    while (true) {
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
    if (hooks.cancelled && hooks.cancelled()) {
        throw InstallError("The installation was cancelled.");
    }

    const int gameFd = extractor.gameFd();
    std::vector<std::string> made = extractor.made();
    made.emplace_back(kManifestName);
    const std::string manifestDisplay = game + '/' + std::string(kManifestName);

    // In place in one step when the game folder is new.
    const UniqueFd existing(::openat(componentsFd.get(), game.c_str(),
                                     O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (existing.get() < 0 && errno != ENOENT) {
        throw SystemError(errno, "Cannot use the existing folder " + game);
    }
    if (existing.get() < 0) {
        writeWholeFile(gameFd, std::string(kManifestName), formatManifest(made), manifestDisplay);
        // Everything written reaches the disk before the folder appears in place.
        if (::syncfs(gameFd) != 0) {
            throw SystemError(errno, "Cannot write the game to the disk");
        }
        if (::renameat2(temporary.fd(), game.c_str(), componentsFd.get(), game.c_str(),
                        RENAME_NOREPLACE) != 0) {
            throw SystemError(errno, "Cannot put " + game + " in place");
        }
        return;
    }
    const std::set<std::string> ours = readManifestAt(existing.get());
    std::vector<std::string> named(ours.begin(), ours.end());
    named.insert(named.end(), made.begin(), made.end());
    writeWholeFile(gameFd, std::string(kManifestName), formatManifest(named), manifestDisplay);
    if (::syncfs(gameFd) != 0) {
        throw SystemError(errno, "Cannot write the game to the disk");
    }
    if (::mkdirat(temporary.fd(), "replaced", 0700) != 0) {
        throw SystemError(errno, "Cannot write to the components folder " + componentsDir.string());
    }
    const UniqueFd backup = openFolder(temporary.fd(), "replaced", "");
    Merger(gameFd, existing.get(), backup.get(), game).merge(made, ours);
}

} // namespace

std::string EntryRules::check(const ArchiveEntry& entry) {
    const std::string refused = "The component was refused: it holds ";
    if (entry.type == ArchiveEntry::Type::Special) {
        return refused + "a device, pipe or socket, " + shown(entry.path) + ".";
    }
    const bool folder = entry.type == ArchiveEntry::Type::Folder;
    if (const std::string fault = pathFault(entry.path, folder); !fault.empty()) {
        return refused + fault + ".";
    }
    const std::string_view top = splitNames(entry.path).front();
    if (m_gameFolder.empty()) {
        if (!isGameFolderName(top)) {
            return "The component was refused: its folder " + shown(top) +
                   " is not a game's (a game's folder is named \"Korvo's ...\").";
        }
        m_gameFolder = top;
    } else if (top != m_gameFolder) {
        return refused + "more than one folder, " + shown(m_gameFolder) + " and " + shown(top) +
               ".";
    }
    std::string_view path = entry.path;
    if (path.ends_with('/')) {
        path.remove_suffix(1);
    }
    if (path == m_gameFolder && !folder) {
        return refused + "a file in place of its folder, " + shown(path) + ".";
    }
    if (path == m_gameFolder + '/' + std::string(kManifestName)) {
        return refused + "a file named like the list of installed files, " + shown(path) + ".";
    }
    if (entry.type == ArchiveEntry::Type::Symlink) {
        if (const std::string fault = symlinkFault(path, entry.linkTarget); !fault.empty()) {
            return refused + fault + ".";
        }
    }
    if (entry.type == ArchiveEntry::Type::HardLink) {
        const std::string_view target = entry.linkTarget;
        if (!pathFault(target, false).empty() || !target.starts_with(m_gameFolder + '/') ||
            target == path) {
            return refused + "a link that points outside the game, " + shown(path) + " to " +
                   shown(target) + ".";
        }
    }
    return {};
}

std::string checkArchive(const void* data, std::size_t size) {
    const ArchivePtr reader = newReader();
    if (archive_read_open_memory(reader.get(), data, size) != ARCHIVE_OK) {
        return "The archive cannot be read.";
    }
    EntryRules rules;
    archive_entry* entry = nullptr;
    int status = ARCHIVE_OK;
    while ((status = archive_read_next_header(reader.get(), &entry)) != ARCHIVE_EOF &&
           status >= ARCHIVE_WARN) {
        if (std::string fault = rules.check(describe(entry)); !fault.empty()) {
            return fault;
        }
    }
    if (status != ARCHIVE_EOF) {
        return "The archive is damaged.";
    }
    return rules.gameFolder().empty() ? "The archive holds no game." : "";
}

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
