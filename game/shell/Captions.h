#pragma once

#include "Field.h"

#include <string>

namespace zeltrix {

// The program's title, as every caption and message box shows it.
inline const std::string AppTitle = "Korvo's Zeltrix";

// The game window's title ("Korvo's Zeltrix  V2.1.0") and its about menu item's caption.
void SetMainCaptions(Field& field);

} // namespace zeltrix
