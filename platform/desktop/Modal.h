#pragma once

class QDialog;

namespace korvo {

// Shows a dialog modally and afterwards gives the keyboard focus back to the window that was
// active before, so that the game's keys work at once: without a window manager nobody else
// hands the focus back.
int showModal(QDialog& dialog);

} // namespace korvo
