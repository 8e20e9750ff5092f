#pragma once

// A new game folder is built whole in a staging folder inside the components folder, so on the
// same file system, and then swapped in place of the old one in one step: renameat2 with
// RENAME_EXCHANGE or, where the file system cannot exchange two folders (NFS, FUSE, exFAT), a
// pair of renames. The journal records the swap before it starts, so that the next
// installation or removal of any game finishes it or rolls it back: a game folder is always the
// old one or the new one, whole, and the only copy of a game's files is never deleted.
//
// Staging folders are named ".korvo-staging-XXXXXXXX" and the journal ".korvo-journal". Neither
// is named like a game folder ("Korvo's ...") or a component ("*.cmp"), nor like anything a
// download writes (those names never start with a dot), so nothing else ever takes them for its
// own. Older setup programs remove their ".korvo-setup-XXXXXX" folders whenever they run, so a
// staging folder never takes that name; theirs are left alone, as they may hold the only copy
// of files such a setup program had moved out. The journal is written whole, through
// ".korvo-journal.part", as four lines:
//
//   Korvo setup journal 1
//   staging .korvo-staging-ab12cd34
//   game Korvo's Zeltrix
//   new 1234567                  the new game folder's inode: in place once the swap is done

#include "Install.h"
#include "SystemError.h"

#include <string>
#include <string_view>

namespace korvo {

inline constexpr std::string_view kStagingPrefix = ".korvo-staging-";
inline constexpr std::string_view kJournalName = ".korvo-journal";

// Under the components lock, before anything else: finishes the swap that a stopped
// installation recorded when its new folder is in place, else puts the old folder back; then
// the record and the staging folder go. Throws std::runtime_error, leaving everything as it is,
// when the record cannot be read or the old folder cannot be put back.
void recoverInterruptedInstallation(int componentsFd, const InstallHooks& hooks);

// Under the components lock, after recovering: staging folders that no journal names hold only
// copies, left by installations that were stopped.
void removeStaleStaging(int componentsFd);

class StagingFolder {
public:
    // Makes a new staging folder; shown names the components folder in messages.
    StagingFolder(int componentsFd, const std::string& shown, const InstallHooks& hooks);
    // Removes the folder and what it holds, unless it holds the only copy of a game, which the
    // journal then puts back.
    ~StagingFolder();
    StagingFolder(const StagingFolder&) = delete;
    StagingFolder& operator=(const StagingFolder&) = delete;

    int fd() const { return m_fd.get(); }

    // Puts game, built whole in the staging folder and flushed, in place of the components
    // folder's game folder of that name, or where none is; then removes the old one.
    void swapIn(const std::string& game);

private:
    int m_components;
    const InstallHooks& m_hooks;
    std::string m_name;
    UniqueFd m_fd;
    bool m_recorded = false;      // the journal names this folder
    bool m_holdsOnlyCopy = false; // the old game folder could not be put back
};

} // namespace korvo
