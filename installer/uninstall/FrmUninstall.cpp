#include "FrmUninstall.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvo {

FrmUninstall::FrmUninstall(const std::vector<std::string>& games, const QString& componentsDir,
                           QWidget* parent)
    : QDialog(parent), lbl_Message(new QLabel(this)),
      cmd_Remove(new QPushButton(tr("&Remove"), this)),
      cmd_Cancel(new QPushButton(tr("Cancel"), this)) {
    setObjectName("frm_Uninstall");
    lbl_Message->setObjectName("lbl_Message");
    cmd_Remove->setObjectName("cmd_Remove");
    cmd_Cancel->setObjectName("cmd_Cancel");
    setWindowTitle(tr("Korvo's Game Components - Uninstall"));
    lbl_Message->setWordWrap(true);
    lbl_Message->setTextFormat(Qt::PlainText);

    if (games.empty()) {
        lbl_Message->setText(
            tr("There are no installed games to remove in %1.").arg(componentsDir));
        cmd_Remove->hide();
        cmd_Cancel->setText(tr("OK"));
        cmd_Cancel->setDefault(true);
    } else {
        QString text = tr("These games will be removed from %1:").arg(componentsDir) + "\n";
        for (const auto& game : games) {
            text += "\n    " + QString::fromStdString(game);
        }
        text += "\n\n" + tr("Files you added to a game's folder are kept.");
        lbl_Message->setText(text);
        cmd_Remove->setDefault(true);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbl_Message);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmd_Remove);
    buttons->addWidget(cmd_Cancel);
    layout->addLayout(buttons);
    // A wrapped label's height follows its text: the window takes the size its contents need.
    lbl_Message->setFixedWidth(420);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmd_Remove, &QPushButton::clicked, this, &FrmUninstall::cmd_Remove_Click);
    connect(cmd_Cancel, &QPushButton::clicked, this, &FrmUninstall::reject);
}

void FrmUninstall::cmd_Remove_Click() {
    showWorking();
    if (onRemove) {
        onRemove();
    }
}

void FrmUninstall::showWorking() {
    m_working = true;
    lbl_Message->setText(tr("Removing the games..."));
    cmd_Remove->setEnabled(false);
    cmd_Cancel->setEnabled(false);
}

void FrmUninstall::showWaiting() {
    lbl_Message->setText(tr("Waiting for an installation of games to finish..."));
}

void FrmUninstall::showFailure(const QString& reason) {
    m_working = false;
    lbl_Message->setText(reason);
    cmd_Remove->hide();
    cmd_Cancel->setText(tr("Close"));
    cmd_Cancel->setEnabled(true);
    cmd_Cancel->setDefault(true);
    cmd_Cancel->setFocus();
}

void FrmUninstall::reject() {
    if (!m_working) {
        QDialog::reject();
    }
}

} // namespace korvo
