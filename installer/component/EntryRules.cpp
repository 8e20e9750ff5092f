#include "EntryRules.h"

#include "Digests.h"
#include "Extraction.h"
#include "GameFolders.h"
#include "Manifest.h"

#include <algorithm>
#include <string_view>
#include <vector>

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
    if (path == m_gameFolder + '/' + std::string(kManifestName) ||
        path == m_gameFolder + '/' + std::string(kDigestsName)) {
        return refused + "a file named like the installation's own records, " + shown(path) + ".";
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

} // namespace korvo
