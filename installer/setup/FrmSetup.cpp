#include "FrmSetup.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace korvo {

FrmSetup::FrmSetup(QWidget* parent)
    : QDialog(parent), m_imgWarning(new QLabel(this)), m_lblStatus(new QLabel(this)),
      m_barProgress(new QProgressBar(this)), m_cmdClose(new QPushButton(tr("Cancel"), this)) {
    setObjectName("frm_Setup");
    m_lblStatus->setObjectName("lbl_Status");
    m_barProgress->setObjectName("bar_Progress");
    m_cmdClose->setObjectName("cmd_Close");
    setWindowTitle(tr("Korvo's Game Components Setup"));

    m_lblStatus->setWordWrap(true);
    m_lblStatus->setText(tr("Checking the component..."));
    m_lblStatus->setMinimumHeight(m_lblStatus->fontMetrics().lineSpacing() * 4);
    m_lblStatus->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_barProgress->setRange(0, 0); // busy until the signature has been checked
    m_barProgress->setAccessibleName(tr("Progress"));
    m_cmdClose->setDefault(true);

    m_imgWarning->setObjectName("img_Warning");
    m_imgWarning->setAccessibleName(tr("Warning"));
    m_imgWarning->setAlignment(Qt::AlignTop);
    m_imgWarning->hide();

    auto* layout = new QVBoxLayout(this);
    auto* message = new QHBoxLayout;
    message->addWidget(m_imgWarning);
    message->addWidget(m_lblStatus, 1);
    layout->addLayout(message);
    layout->addWidget(m_barProgress);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdClose);
    layout->addLayout(buttons);
    // A wrapped label's height follows its text: the window takes the size its contents need.
    m_lblStatus->setFixedWidth(420);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_cmdClose, &QPushButton::clicked, this, &FrmSetup::cmd_Close_Click);
}

void FrmSetup::showGame(const QString& gameFolder) {
    m_game = gameFolder;
    setWindowTitle(m_game + tr(" Setup"));
    m_lblStatus->setText(tr("Installing %1...").arg(m_game));
    m_barProgress->setRange(0, 1000);
    m_barProgress->setValue(0);
}

void FrmSetup::showWaiting() {
    m_lblStatus->setText(tr("Waiting for another installation or removal of games to finish..."));
}

void FrmSetup::showProgress(quint64 done, quint64 total) {
    if (!m_working) {
        return;
    }
    if (!m_game.isEmpty()) {
        m_lblStatus->setText(tr("Installing %1...").arg(m_game));
    }
    m_barProgress->setValue(total == 0 ? 0 : static_cast<int>(done * 1000 / total));
}

void FrmSetup::showFailure(const QString& reason) {
    m_working = false;
    const QString what =
        m_game.isEmpty() ? tr("Nothing was installed.") : tr("%1 was not installed.").arg(m_game);
    m_lblStatus->setText(what + "\n\n" + reason);
    m_imgWarning->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
    m_imgWarning->show();
    m_barProgress->hide();
    m_cmdClose->setText(tr("Close"));
    m_cmdClose->setEnabled(true);
    m_cmdClose->setFocus();
}

void FrmSetup::cmd_Close_Click() {
    reject();
}

void FrmSetup::reject() {
    if (!m_working) {
        QDialog::reject();
        return;
    }
    if (m_cmdClose->isEnabled()) {
        m_cmdClose->setEnabled(false);
        m_lblStatus->setText(tr("Cancelling..."));
        if (onCancel) {
            onCancel();
        }
    }
}

} // namespace korvo
