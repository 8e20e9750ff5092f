#pragma once

namespace zeltrix {

// Opens the game's help file, "korvo's help.hlp" of the data folder, in the help window.
void ShowHelp();

} // namespace zeltrix
