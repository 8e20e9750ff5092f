#pragma once

#include <QFont>
#include <QString>

namespace zeltrix {

// The game's face: fontconfig stands Comic Neue in for Comic Sans MS; it is named too for
// systems where that rule is missing.
QFont comicFont(double points);

// The cyan "coloured button" of the game's dialogs.
QString colouredButtonStyle();

} // namespace zeltrix
