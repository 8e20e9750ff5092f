#pragma once

class QDialog;

namespace korvo {

// Both give the keyboard focus back, once the dialog has closed, to the window that was active
// before (when it is still shown), so that its keys work at once: without a window manager
// nobody else may hand it back.

// Shows a dialog modally and waits until it closes.
int showModal(QDialog& dialog);

// Shows a dialog application-modal and returns at once.
void openModal(QDialog& dialog);

} // namespace korvo
