#include "FrmSetup.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvo {

FrmSetup::FrmSetup(QWidget* parent)
    : QDialog(parent), lbl_Status(new QLabel(this)), bar_Progress(new QProgressBar(this)),
      cmd_Close(new QPushButton(tr("Cancel"), this)),
      m_game(QStringLiteral("Korvo's Game Components")) {
    setObjectName("frm_Setup");
    lbl_Status->setObjectName("lbl_Status");
    bar_Progress->setObjectName("bar_Progress");
    cmd_Close->setObjectName("cmd_Close");
    setWindowTitle(m_game + tr(" Setup"));

    lbl_Status->setWordWrap(true);
    lbl_Status->setText(tr("Checking the component..."));
    lbl_Status->setMinimumHeight(lbl_Status->fontMetrics().lineSpacing() * 4);
    lbl_Status->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    bar_Progress->setRange(0, 1000);
    bar_Progress->setValue(0);
    bar_Progress->setAccessibleName(tr("Progress"));
    cmd_Close->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbl_Status);
    layout->addWidget(bar_Progress);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmd_Close);
    layout->addLayout(buttons);
    setFixedWidth(460);

    connect(cmd_Close, &QPushButton::clicked, this, &FrmSetup::cmd_Close_Click);
}

void FrmSetup::showGame(const QString& gameFolder) {
    m_game = gameFolder;
    setWindowTitle(m_game + tr(" Setup"));
    lbl_Status->setText(tr("Installing %1...").arg(m_game));
}

void FrmSetup::showWaiting() {
    lbl_Status->setText(tr("Waiting for another installation or removal of games to finish..."));
}

void FrmSetup::showProgress(quint64 done, quint64 total) {
    if (!m_working) {
        return;
    }
    lbl_Status->setText(tr("Installing %1...").arg(m_game));
    bar_Progress->setValue(total == 0 ? 0 : static_cast<int>(done * 1000 / total));
}

void FrmSetup::showFailure(const QString& reason) {
    m_working = false;
    lbl_Status->setText(tr("%1 was not installed.").arg(m_game) + "\n\n" + reason);
    bar_Progress->hide();
    cmd_Close->setText(tr("Close"));
    cmd_Close->setEnabled(true);
    cmd_Close->setFocus();
}

void FrmSetup::cmd_Close_Click() {
    reject();
}

void FrmSetup::reject() {
    if (!m_working) {
        QDialog::reject();
        return;
    }
    if (cmd_Close->isEnabled()) {
        cmd_Close->setEnabled(false);
        lbl_Status->setText(tr("Cancelling..."));
        if (onCancel) {
            onCancel();
        }
    }
}

} // namespace korvo
