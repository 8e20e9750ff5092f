#pragma once

#include <QLoggingCategory>

namespace korvo {

// Failures that the programs pass over without troubling the user (an animation or a picture
// that does not load, a hall of fame that cannot be saved) and the reasons behind those they
// report (a help file or a program that does not open or start) leave one line here, so that a
// user reporting a problem can see why. Quiet unless enabled, for example with
// QT_LOGGING_RULES="korvo*.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcKorvo)

} // namespace korvo
