#include "Modal.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>

namespace korvo {

int showModal(QDialog& dialog) {
    QPointer<QWidget> active = QApplication::activeWindow();
    const int result = dialog.exec();
    if (active) {
        active->activateWindow();
        if (QWidget* focus = active->focusWidget()) {
            focus->setFocus(Qt::ActiveWindowFocusReason);
        }
    }
    return result;
}

} // namespace korvo
