#pragma once

// Merging a newly extracted game folder into an existing one of the same name (a user's own
// files left after a removal, or an earlier installation). The new entries are moved in one by
// one:
//   - a folder joins the existing folder of that name;
//   - a file replaces a same-named file that the existing manifest names (the earlier
//     installation's), which goes to the backup folder;
//   - anything else in the way (a file the user made, or an entry of another kind) is kept
//     under a new name, "<name>.kept" (or ".kept2", ...), so nothing the user had is lost.
// If a move fails, the moves done so far are undone in reverse order.

#include <set>
#include <string>
#include <vector>

namespace korvo {

// source, target and backup are open folders: the new game folder, the existing one and a place
// for what is replaced. entries are the new folder's, relative to it (folders end in "/"); ours
// are those the existing manifest names. Throws SystemError naming game's entry that failed.
void mergeGameFolder(int source, int target, int backup, const std::string& game,
                     std::vector<std::string> entries, const std::set<std::string>& ours);

} // namespace korvo
