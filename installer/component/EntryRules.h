#pragma once

// The rules that every entry of a component's archive must pass before anything is written.

#include <cstddef>
#include <cstdint>
#include <string>

namespace korvo {

// An archive entry as the rules see it.
struct ArchiveEntry {
    enum class Type { File, Folder, Symlink, HardLink, Special };
    std::string path;
    Type type = Type::File;
    std::string linkTarget; // symbolic and hard links
    std::uint64_t size = 0; // a file's bytes
};

// Checked in archive order: a relative path of plain names below one top-level folder whose name
// is a game folder's; no devices, pipes or sockets; links that stay inside the game folder. A
// symbolic link's target is "../" repeated at most as deep as the link lies below the game
// folder, then plain names; a hard link names an entry of the game folder. Nothing takes the
// name of the manifest or of the digests.
class EntryRules {
public:
    // Empty when the entry may be extracted, else why not.
    std::string check(const ArchiveEntry& entry);
    // The top-level folder, once the first entry has passed.
    const std::string& gameFolder() const { return m_gameFolder; }

private:
    std::string m_gameFolder;
};

// Reads an archive held in memory and checks each entry with EntryRules; the first reason for
// refusing it, or empty. Nothing is written.
std::string checkArchive(const void* data, std::size_t size);

} // namespace korvo
