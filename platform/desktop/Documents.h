#pragma once

#include <string>

namespace korvo {

// The title of the help window. It holds "Help" so that the launcher, which watches windows
// whose titles hold "korvo's" but not "help", never takes it for a game or an installer.
inline const std::string HelpWindowTitle = "Korvo's Help";

// Opens a file or an address; windowState 1 minimised, 2 maximised, else normal. Help files
// (".hlp", our own HTML help) open in the programs' own help window, one window reused;
// everything else goes to the desktop. result tells whether it opened; a failure has already
// been reported with "Unable to open <document>.".
void OpenDocument(const std::string& document, int windowState, bool& result);

} // namespace korvo
