#include "Modal.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>

namespace korvo {

namespace {

void giveFocusBack(QWidget* window) {
    if (window == nullptr) {
        return;
    }
    window->activateWindow();
    if (QWidget* focus = window->focusWidget()) {
        focus->setFocus(Qt::ActiveWindowFocusReason);
    }
}

} // namespace

int showModal(QDialog& dialog) {
    QPointer<QWidget> active = QApplication::activeWindow();
    const int result = dialog.exec();
    giveFocusBack(active);
    return result;
}

void openModal(QDialog& dialog) {
    const QPointer<QWidget> active = QApplication::activeWindow();
    QObject::connect(&dialog, &QDialog::finished, &dialog, [active] {
        if (active && active->isVisible()) {
            giveFocusBack(active);
        }
    });
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
}

} // namespace korvo
