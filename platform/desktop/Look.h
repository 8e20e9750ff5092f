#pragma once

#include <QFont>
#include <QString>

class QWidget;

namespace korvo {

// The game's face: fontconfig stands Comic Neue in for Comic Sans MS; it is named too for
// systems where that rule is missing.
QFont comicFont(double points);

// The teal ground of the game's dialogs.
void setTealBackground(QWidget& window);

// The cyan "coloured button" of the game's dialogs.
QString colouredButtonStyle();

} // namespace korvo
