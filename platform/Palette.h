#pragma once

#include "Control.h"

namespace korvo {

// The 16-colour palette that colours chosen by number come from. Numbers outside 0..15 wrap.
Rgb QBColor(int number);

} // namespace korvo
