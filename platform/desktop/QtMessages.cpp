#include "QtMessages.h"

#include "Modal.h"

#include <QApplication>
#include <QMessageBox>

namespace korvo {

bool QtMessages::Show(const Message& message) {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    if (message.icon == MessageIcon::Information) {
        icon = QMessageBox::Information;
    } else if (message.icon == MessageIcon::Exclamation) {
        icon = QMessageBox::Warning;
    }
    const bool question = message.buttons == MessageButtons::OkCancel;
    QMessageBox box(icon, QString::fromStdString(message.title.empty() ? m_title : message.title),
                    QString::fromStdString(message.text),
                    question ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setObjectName("msgbox");
    // The window behind gets the keyboard back afterwards, also without a window manager: the
    // launcher's buttons move only while its window is active.
    return showModal(box) == QMessageBox::Ok;
}

} // namespace korvo
