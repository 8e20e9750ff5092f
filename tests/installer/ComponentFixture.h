#pragma once

// Shared by the installer's tests: a test signing key, archives crafted entry by entry (hostile
// ones included), components made from them, and snapshots of folders to prove nothing changed.

#include "Pack.h"
#include "Signing.h"

#include <archive.h>
#include <archive_entry.h>

#include <QTemporaryDir>

#include <clocale>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fixture {

namespace fs = std::filesystem;

inline const korvo::KeyPair& testKeys() {
    static const korvo::KeyPair keys = korvo::generateKeyPair();
    return keys;
}

struct Entry {
    std::string path;
    mode_t type = AE_IFREG; // AE_IFREG, AE_IFDIR, AE_IFLNK, AE_IFCHR, AE_IFIFO, ...
    std::string data;       // a file's bytes
    std::string link;       // a symbolic link's target
    std::string hardlink;   // set: a hard link to this entry
    mode_t perm = 0644;
};

inline Entry folder(std::string path) {
    return {std::move(path), AE_IFDIR, {}, {}, {}, 0755};
}
inline Entry file(std::string path, std::string data = "data") {
    return {std::move(path), AE_IFREG, std::move(data), {}, {}, 0644};
}
inline Entry symlinkTo(std::string path, std::string target) {
    return {std::move(path), AE_IFLNK, {}, std::move(target), {}, 0777};
}
inline Entry hardlinkTo(std::string path, std::string target) {
    return {std::move(path), AE_IFREG, {}, {}, std::move(target), 0644};
}

// A pax archive compressed with zstd, as the packing tool writes them, holding the entries as
// given, however hostile.
inline std::string archiveOf(const std::vector<Entry>& entries) {
    // The writer needs a UTF-8 locale for names that are not ASCII; the tests read in "C".
    const locale_t utf8 = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
    const locale_t previous = ::uselocale(utf8);
    std::string bytes;
    archive* writer = archive_write_new();
    archive_write_set_format_pax_restricted(writer);
    archive_write_add_filter_zstd(writer);
    archive_write_set_bytes_in_last_block(writer, 1);
    archive_write_open(
        writer, &bytes, nullptr,
        [](archive*, void* out, const void* data, size_t size) -> la_ssize_t {
            static_cast<std::string*>(out)->append(static_cast<const char*>(data), size);
            return static_cast<la_ssize_t>(size);
        },
        nullptr);
    for (const auto& e : entries) {
        archive_entry* entry = archive_entry_new();
        archive_entry_set_pathname_utf8(entry, e.path.c_str());
        archive_entry_set_filetype(entry, e.type);
        archive_entry_set_perm(entry, e.perm);
        if (!e.hardlink.empty()) {
            archive_entry_set_hardlink_utf8(entry, e.hardlink.c_str());
        } else if (e.type == AE_IFLNK) {
            archive_entry_set_symlink_utf8(entry, e.link.c_str());
        } else if (e.type == AE_IFREG) {
            archive_entry_set_size(entry, static_cast<la_int64_t>(e.data.size()));
        }
        if (archive_write_header(writer, entry) != ARCHIVE_OK) {
            throw std::runtime_error(archive_error_string(writer));
        }
        if (e.type == AE_IFREG && e.hardlink.empty() && !e.data.empty()) {
            archive_write_data(writer, e.data.data(), e.data.size());
        }
        archive_entry_free(entry);
    }
    archive_write_close(writer);
    archive_write_free(writer);
    ::uselocale(previous);
    ::freelocale(utf8);
    return bytes;
}

inline void writeText(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

inline std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A component around the archive, with a few bytes standing in for the setup program.
inline fs::path componentOf(const fs::path& folder, const std::string& archiveBytes,
                            const std::string& name = "test.cmp") {
    const fs::path head = folder / "setup-head";
    if (!fs::exists(head)) {
        writeText(head, "#!/bin/false\nnot really a program\n");
    }
    const fs::path out = folder / name;
    korvo::writeComponent(head, archiveBytes, testKeys().secretKey, out);
    return out;
}

// Every path below root with its kind and, for files, its bytes.
inline std::map<std::string, std::string> snapshot(const fs::path& root) {
    std::map<std::string, std::string> items;
    if (!fs::exists(root)) {
        return items;
    }
    for (const auto& item : fs::recursive_directory_iterator(root)) {
        const std::string name = fs::relative(item.path(), root).string();
        if (item.is_symlink()) {
            items[name] = "link:" + fs::read_symlink(item.path()).string();
        } else if (item.is_directory()) {
            items[name] = "folder";
        } else {
            items[name] = "file:" + readText(item.path());
        }
    }
    return items;
}

// Runs fn as an unprivileged user when the tests run as root (permissions do not bind root),
// in a child process; its int result comes back. Without such a user, -1.
inline int runUnprivileged(const std::function<int()>& fn) {
    if (::geteuid() != 0) {
        return fn();
    }
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) {
            ::_exit(255);
        }
        ::_exit(fn());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) != 255 ? WEXITSTATUS(status) : -1;
}

// Runs fn in a child process whose files cannot grow past limit bytes, as on a full disk.
inline int runWithFileLimit(rlim_t limit, const std::function<int()>& fn) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &small);
        ::_exit(fn());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace fixture
