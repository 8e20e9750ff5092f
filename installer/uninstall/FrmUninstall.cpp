#include "FrmUninstall.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvo {

FrmUninstall::FrmUninstall(const std::vector<std::string>& games, const QString& componentsDir,
                           QWidget* parent)
    : QDialog(parent), m_lblMessage(new QLabel(this)),
      m_cmdRemove(new QPushButton(tr("&Remove"), this)),
      m_cmdCancel(new QPushButton(tr("Cancel"), this)) {
    setObjectName("frm_Uninstall");
    m_lblMessage->setObjectName("lbl_Message");
    m_cmdRemove->setObjectName("cmd_Remove");
    m_cmdCancel->setObjectName("cmd_Cancel");
    setWindowTitle(tr("Korvo's Game Components - Uninstall"));
    m_lblMessage->setWordWrap(true);
    m_lblMessage->setTextFormat(Qt::PlainText);

    if (games.empty()) {
        m_lblMessage->setText(
            tr("There are no installed games to remove in %1.").arg(componentsDir));
        m_cmdRemove->hide();
        m_cmdCancel->setText(tr("OK"));
        m_cmdCancel->setDefault(true);
    } else {
        QString text = tr("These games will be removed from %1:").arg(componentsDir) + "\n";
        for (const auto& game : games) {
            text += "\n    " + QString::fromStdString(game);
        }
        text += "\n\n" + tr("Files you added to a game's folder, and a hall of fame or questions "
                            "you changed, are kept.");
        m_lblMessage->setText(text);
        m_cmdRemove->setDefault(true);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lblMessage);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdRemove);
    buttons->addWidget(m_cmdCancel);
    layout->addLayout(buttons);
    // A wrapped label's height follows its text: the window takes the size its contents need.
    m_lblMessage->setFixedWidth(420);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_cmdRemove, &QPushButton::clicked, this, &FrmUninstall::cmd_Remove_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &FrmUninstall::reject);
}

void FrmUninstall::cmd_Remove_Click() {
    showWorking();
    if (onRemove) {
        onRemove();
    }
}

void FrmUninstall::showWorking() {
    m_working = true;
    m_lblMessage->setText(tr("Removing the games..."));
    m_cmdRemove->setEnabled(false);
    m_cmdCancel->setEnabled(false);
}

void FrmUninstall::showWaiting() {
    m_lblMessage->setText(tr("Waiting for an installation of games to finish..."));
}

void FrmUninstall::showFailure(const QString& reason) {
    showEnd(reason, tr("Close"));
}

void FrmUninstall::showRemoved(int keptPlayerFiles) {
    const QString kept =
        keptPlayerFiles == 1
            ? tr("1 file you changed (a hall of fame or questions) was kept in its game's folder.")
            : tr("%1 files you changed (halls of fame or questions) were kept in their games' "
                 "folders.")
                  .arg(keptPlayerFiles);
    showEnd(tr("The games were removed.") + "\n\n" + kept, tr("OK"));
}

void FrmUninstall::showEnd(const QString& text, const QString& button) {
    m_working = false;
    m_lblMessage->setText(text);
    m_cmdRemove->hide();
    m_cmdCancel->setText(button);
    m_cmdCancel->setEnabled(true);
    m_cmdCancel->setDefault(true);
    m_cmdCancel->setFocus();
}

void FrmUninstall::reject() {
    if (!m_working) {
        QDialog::reject();
    }
}

} // namespace korvo
