#pragma once

#include <functional>
#include <string>

namespace zeltrix {

enum class MessageIcon { None, Exclamation };

// The platform's message box, titled with the program's title, OK only, modal to the active
// window. Tests replace it with setPlatformMessage (an empty function restores the real one).
using PlatformMessageFn = std::function<void(const std::string& text, MessageIcon icon)>;
void PlatformMessage(const std::string& text, MessageIcon icon);
void setPlatformMessage(PlatformMessageFn replacement);

// The title of the help window; it holds "Help" so that the launcher, which watches windows
// whose titles hold "korvo's" but not "help", never takes it for the game.
inline const std::string HelpWindowTitle = "Korvo's Help";

// Opens a file or an address; windowState 1 minimised, 2 maximised, else normal. Help files
// (".hlp") open in the game's own help window, one window reused; everything else goes to the
// desktop. result tells whether it opened; a failure has already been reported to the player.
void OpenDocument(const std::string& document, int windowState, bool& result);

// Opens "korvo's help.hlp" of the data folder.
void ShowHelp();

} // namespace zeltrix
