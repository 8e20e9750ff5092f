#pragma once

// Carrying what an existing game folder holds into the new one built beside it (Staging.h), so
// that nothing of the player's is lost when the new folder takes its place. The existing folder
// is only read: what is carried is hard-linked into the new folder (copied where the file system
// has no hard links), never moved out of it.
//   - a folder joins the new folder of that name;
//   - a file the new component declares the player's is carried in place of the new one when
//     the player changed it: its bytes differ from those the earlier installation recorded (or,
//     when it recorded none, from the new file's), or the earlier installation did not make it
//     (a removal kept it);
//   - any other file the existing manifest names (the earlier installation's) gives way to a new
//     entry of that name, so that a damaged file is repaired; one the new game does not have is
//     carried, and stays the installation's;
//   - anything else in the way of a new entry (a file the player made, or an entry of another
//     kind) is carried under a new name, "<name>.kept" (or ".kept2", ...);
//   - everything else is carried as it is.
// The manifest and the digests of the existing folder stay behind.

#include "Digests.h"
#include "Install.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace korvo {

struct MergePlan {
    std::set<std::string> made;   // the new folder's entries, relative to it (folders end in "/")
    std::set<std::string> ours;   // those the existing manifest names
    std::set<std::string> player; // the player's files, as the component declares them
    std::map<std::string, Digest> shipped; // what the new files hold
    std::optional<DigestRecord> recorded;  // what the earlier installation recorded
};

// from and into are the open existing and new game folders. Returns the entries of ours that
// were carried under their own names. Throws SystemError naming game's entry that failed.
std::vector<std::string> mergeGameFolder(int from, int into, const std::string& game,
                                         const MergePlan& plan, const InstallHooks& hooks);

} // namespace korvo
