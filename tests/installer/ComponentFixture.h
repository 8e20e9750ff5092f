#pragma once

// Shared by the installer's tests: a test signing key, archives crafted entry by entry (hostile
// ones included), components made from them, snapshots of folders to prove nothing changed, and
// child processes that run without privileges or on a "full disk".

#include "Digests.h"
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
#include <regex>
#include <set>
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
    std::string data{};     // a file's bytes
    std::string link{};     // a symbolic link's target
    std::string hardlink{}; // set: a hard link to this entry
    mode_t perm = 0644;
};

inline const auto folder = [](std::string path) { return Entry{std::move(path), AE_IFDIR}; };
inline const auto file = [](std::string path, std::string data = "data") {
    return Entry{std::move(path), AE_IFREG, std::move(data)};
};
inline const auto symlinkTo = [](std::string path, std::string target) {
    return Entry{std::move(path), AE_IFLNK, {}, std::move(target)};
};

// A pax archive compressed with zstd, as the packing tool writes them, holding the entries as
// given, however hostile.
inline std::string archiveOf(const std::vector<Entry>& entries) {
    // The writer needs a UTF-8 locale for names that are not ASCII; the tests read in "C".
    const locale_t utf8 = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
    const locale_t previous = ::uselocale(utf8);
    std::string bytes(std::size_t{8} << 20, '\0');
    std::size_t used = 0;
    archive* writer = archive_write_new();
    archive_write_set_format_pax_restricted(writer);
    archive_write_add_filter_zstd(writer);
    archive_write_set_bytes_in_last_block(writer, 1);
    archive_write_open_memory(writer, bytes.data(), bytes.size(), &used);
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
        archive_write_header(writer, entry);
        archive_write_data(writer, e.data.data(), e.data.size());
        archive_entry_free(entry);
    }
    archive_write_close(writer);
    archive_write_free(writer);
    ::uselocale(previous);
    ::freelocale(utf8);
    bytes.resize(used);
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

// The description the packing tool would write for the entries (a game "Korvo's Test" unless
// the first entry names another game folder).
inline korvo::ComponentInfo describedAs(const std::vector<Entry>& entries,
                                        std::vector<std::string> playerFiles = {}) {
    korvo::ComponentInfo info{korvo::kFormatVersion, "Korvo's Test",        "1.0", 0,
                              entries.size(),        std::move(playerFiles)};
    if (!entries.empty() && entries[0].path.starts_with("Korvo's ")) {
        info.game = entries[0].path.substr(0, entries[0].path.find('/'));
    }
    for (const auto& e : entries) {
        info.unpackedSize += e.data.size();
    }
    return info;
}

// A component around the archive, with a few bytes standing in for the setup program.
inline fs::path componentOf(const fs::path& folder, const std::string& archiveBytes,
                            const korvo::ComponentInfo& info) {
    writeText(folder / "setup-head", "#!/bin/false\nnot really a program\n");
    korvo::writeComponent(folder / "setup-head", archiveBytes, testKeys().secretKey,
                          folder / "test.cmp", info);
    return folder / "test.cmp";
}
inline fs::path componentOf(const fs::path& folder, const std::vector<Entry>& entries,
                            std::vector<std::string> playerFiles = {}) {
    return componentOf(folder, archiveOf(entries), describedAs(entries, std::move(playerFiles)));
}

// Every path below root but those in skip, in name order, with its kind and a file's bytes:
// "name=folder;name=file:bytes;name=link:target;". Digests show as "#".
inline QString listing(const fs::path& root,
                       const std::set<std::string>& skip = {".components.lock"}) {
    std::map<std::string, std::string> items;
    for (const auto& item : fs::recursive_directory_iterator(root)) {
        const std::string name = item.path().lexically_relative(root).string();
        items[name] = item.is_symlink()     ? "link:" + fs::read_symlink(item.path()).string()
                      : item.is_directory() ? "folder"
                                            : "file:" + readText(item.path());
        if (item.path().filename() == korvo::kDigestsName) {
            items[name] = std::regex_replace(items[name], std::regex("[0-9a-f]{64}"), "#");
        }
    }
    QString text;
    for (const auto& [name, kind] : items) {
        if (!skip.contains(name)) {
            text += QString::fromStdString(name + "=" + kind + ";");
        }
    }
    return text;
}

// Permissions do not bind root: as root, everything in top becomes the unprivileged user's but
// locked, which that user then cannot change; otherwise locked loses its write permission. The
// folder that holds top opens to everyone. An empty locked path locks nothing.
inline void lockAgainstChanges(const fs::path& top, const fs::path& locked) {
    fs::permissions(top.parent_path(),
                    fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    for (const auto& item : fs::recursive_directory_iterator(top)) {
        (void)::lchown(item.path().c_str(), 65534, 65534);
    }
    (void)::lchown(top.c_str(), 65534, 65534);
    if (!locked.empty() && ::lchown(locked.c_str(), 0, 0) != 0) {
        fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
    }
}

// Runs fn in a child process, as the unprivileged user when the tests run as root, whose files
// cannot grow past fileLimit bytes (as on a full disk). Its int result comes back, or -1 when
// there is no such user to run as.
inline int runInChild(const std::function<int()>& fn, rlim_t fileLimit = RLIM_INFINITY) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{fileLimit, fileLimit};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0 ||
            (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))) {
            ::_exit(255);
        }
        ::_exit(fn());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) != 255 ? WEXITSTATUS(status) : -1;
}

} // namespace fixture
