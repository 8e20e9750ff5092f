#include "Pack.h"

#include "GameFolders.h"
#include "Manifest.h"

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <fstream>
#include <memory>
#include <stdexcept>

namespace korvo {

namespace {

constexpr time_t kPackedTime = 946684800; // 2000-01-01 00:00:00 UTC
constexpr const char* kZstdLevel = "9";

struct WriterFree {
    void operator()(archive* a) const { archive_write_free(a); }
};
struct EntryFree {
    void operator()(archive_entry* e) const { archive_entry_free(e); }
};

struct Sink {
    ComponentWriter* component;
    std::string failure;
};

// No exception may pass through libarchive's C frames.
la_ssize_t writeToComponent(archive* a, void* self, const void* data, size_t size) {
    auto* sink = static_cast<Sink*>(self);
    try {
        sink->component->write(data, size);
    } catch (const std::exception& error) {
        sink->failure = error.what();
        archive_set_error(a, EIO, "%s", error.what());
        return -1;
    }
    return static_cast<la_ssize_t>(size);
}

void check(archive* writer, int status, const std::string& what) {
    if (status < ARCHIVE_WARN) {
        const char* text = archive_error_string(writer);
        throw std::runtime_error("Cannot pack " + what +
                                 (text != nullptr ? ": " + std::string(text) : ""));
    }
}

// libarchive's pax writer converts names through the locale; in the "C" locale it cannot take
// a name that is not ASCII. Names are written as UTF-8 under a UTF-8 locale, on this thread only.
class Utf8Names {
public:
    Utf8Names() : m_locale(::newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr)) {
        if (m_locale != nullptr) {
            m_previous = ::uselocale(m_locale);
        }
    }
    ~Utf8Names() {
        if (m_locale != nullptr) {
            ::uselocale(m_previous);
            ::freelocale(m_locale);
        }
    }
    Utf8Names(const Utf8Names&) = delete;
    Utf8Names& operator=(const Utf8Names&) = delete;

private:
    locale_t m_locale;
    locale_t m_previous = nullptr;
};

} // namespace

std::vector<std::filesystem::path>
packComponent(const std::filesystem::path& setupProgram, const std::filesystem::path& gameFolder,
              const SecretKey& key, const std::filesystem::path& out, const PackOptions& options) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::absolute(gameFolder).lexically_normal();
    const std::string game =
        (folder.has_filename() ? folder : folder.parent_path()).filename().string();
    if (!fs::is_directory(folder)) {
        throw std::runtime_error(gameFolder.string() + " is not a folder.");
    }
    // Else every installer would refuse the component.
    if (!isGameFolderName(game)) {
        throw std::runtime_error(game + " is not named like a game folder (\"Korvo's ...\").");
    }
    ComponentInfo info;
    info.game = game;
    info.version = options.version;
    info.playerFiles = options.playerFiles;
    if (!isVersion(info.version)) {
        throw std::runtime_error("\"" + info.version + "\" is not a version (numbers and dots).");
    }
    for (const auto& file : info.playerFiles) {
        if (!isPlainRelativePath(file, false) ||
            !fs::is_regular_file(fs::symlink_status(folder / file))) {
            throw std::runtime_error("The player's file \"" + file + "\" is not a file in " +
                                     folder.string() + ".");
        }
    }
    std::vector<fs::path> inside;
    for (auto it = fs::recursive_directory_iterator(folder);
         it != fs::recursive_directory_iterator(); ++it) {
        inside.push_back(it->path().lexically_relative(folder));
    }
    std::sort(inside.begin(), inside.end(),
              [](const fs::path& a, const fs::path& b) { return a.string() < b.string(); });
    inside.insert(inside.begin(), fs::path());

    const Utf8Names utf8;
    ComponentWriter component(out, key);
    component.writeFile(setupProgram);
    component.beginArchive();

    std::unique_ptr<archive, WriterFree> writer(archive_write_new());
    archive* a = writer.get();
    check(a, archive_write_set_format_pax_restricted(a), "the archive");
    check(a, archive_write_add_filter_zstd(a), "the archive");
    check(a, archive_write_set_filter_option(a, "zstd", "compression-level", kZstdLevel),
          "the archive");
    check(a, archive_write_set_bytes_in_last_block(a, 1), "the archive");
    Sink sink{&component, {}};
    check(a, archive_write_open(a, &sink, nullptr, &writeToComponent, nullptr), "the archive");

    std::vector<fs::path> read;
    std::vector<char> buffer(1 << 20);
    for (const auto& relative : inside) {
        const fs::path path = relative.empty() ? folder : folder / relative;
        const std::string name = relative.empty() ? game : game + '/' + relative.string();
        const auto status = fs::symlink_status(path);
        std::unique_ptr<archive_entry, EntryFree> entry(archive_entry_new());
        archive_entry_set_pathname_utf8(entry.get(), name.c_str());
        archive_entry_set_mtime(entry.get(), kPackedTime, 0);
        archive_entry_set_uid(entry.get(), 0);
        archive_entry_set_gid(entry.get(), 0);
        const bool runnable = (status.permissions() & fs::perms::owner_exec) != fs::perms::none;
        if (fs::is_directory(status)) {
            archive_entry_set_filetype(entry.get(), AE_IFDIR);
            archive_entry_set_perm(entry.get(), 0755);
        } else if (fs::is_symlink(status)) {
            archive_entry_set_filetype(entry.get(), AE_IFLNK);
            archive_entry_set_perm(entry.get(), 0777);
            archive_entry_set_symlink_utf8(entry.get(), fs::read_symlink(path).c_str());
        } else if (fs::is_regular_file(status)) {
            archive_entry_set_filetype(entry.get(), AE_IFREG);
            archive_entry_set_perm(entry.get(), runnable ? 0755 : 0644);
            const auto size = fs::file_size(path);
            archive_entry_set_size(entry.get(), static_cast<la_int64_t>(size));
            info.unpackedSize += size;
        } else {
            throw std::runtime_error("Cannot pack " + path.string() +
                                     ": it is not a file or a folder.");
        }
        check(a, archive_write_header(a, entry.get()), name);
        if (fs::is_regular_file(status)) {
            std::ifstream in(path, std::ios::binary);
            la_int64_t left = archive_entry_size(entry.get());
            while (left > 0 && in) {
                in.read(buffer.data(), static_cast<std::streamsize>(std::min<la_int64_t>(
                                           left, static_cast<la_int64_t>(buffer.size()))));
                const auto n = in.gcount();
                if (n <= 0 || archive_write_data(a, buffer.data(), static_cast<size_t>(n)) != n) {
                    break;
                }
                left -= n;
            }
            if (left != 0) {
                throw std::runtime_error("Cannot pack " + path.string() +
                                         ": it changed or cannot be read.");
            }
        }
        read.push_back(path);
        ++info.entries;
    }
    check(a, archive_write_close(a), "the archive");
    writer.reset();
    component.finish(info);
    return read;
}

void writeComponent(const std::filesystem::path& setupProgram, const std::string& archiveBytes,
                    const SecretKey& key, const std::filesystem::path& out,
                    const ComponentInfo& info) {
    ComponentWriter component(out, key);
    component.writeFile(setupProgram);
    component.beginArchive();
    component.write(archiveBytes.data(), archiveBytes.size());
    component.finish(info);
}

} // namespace korvo
