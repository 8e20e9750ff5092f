#include "FrmSetup.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace korvo {

FrmSetup::FrmSetup(QWidget* parent)
    : QDialog(parent), img_Warning(new QLabel(this)), lbl_Status(new QLabel(this)),
      bar_Progress(new QProgressBar(this)), cmd_Close(new QPushButton(tr("Cancel"), this)) {
    setObjectName("frm_Setup");
    lbl_Status->setObjectName("lbl_Status");
    bar_Progress->setObjectName("bar_Progress");
    cmd_Close->setObjectName("cmd_Close");
    setWindowTitle(tr("Korvo's Game Components Setup"));

    lbl_Status->setWordWrap(true);
    lbl_Status->setText(tr("Checking the component..."));
    lbl_Status->setMinimumHeight(lbl_Status->fontMetrics().lineSpacing() * 4);
    lbl_Status->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    bar_Progress->setRange(0, 0); // busy until the signature has been checked
    bar_Progress->setAccessibleName(tr("Progress"));
    cmd_Close->setDefault(true);

    img_Warning->setObjectName("img_Warning");
    img_Warning->setAccessibleName(tr("Warning"));
    img_Warning->setAlignment(Qt::AlignTop);
    img_Warning->hide();

    auto* layout = new QVBoxLayout(this);
    auto* message = new QHBoxLayout;
    message->addWidget(img_Warning);
    message->addWidget(lbl_Status, 1);
    layout->addLayout(message);
    layout->addWidget(bar_Progress);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmd_Close);
    layout->addLayout(buttons);
    // A wrapped label's height follows its text: the window takes the size its contents need.
    lbl_Status->setFixedWidth(420);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmd_Close, &QPushButton::clicked, this, &FrmSetup::cmd_Close_Click);
}

void FrmSetup::showGame(const QString& gameFolder) {
    m_game = gameFolder;
    setWindowTitle(m_game + tr(" Setup"));
    lbl_Status->setText(tr("Installing %1...").arg(m_game));
    bar_Progress->setRange(0, 1000);
    bar_Progress->setValue(0);
}

void FrmSetup::showWaiting() {
    lbl_Status->setText(tr("Waiting for another installation or removal of games to finish..."));
}

void FrmSetup::showProgress(quint64 done, quint64 total) {
    if (!m_working) {
        return;
    }
    if (!m_game.isEmpty()) {
        lbl_Status->setText(tr("Installing %1...").arg(m_game));
    }
    bar_Progress->setValue(total == 0 ? 0 : static_cast<int>(done * 1000 / total));
}

void FrmSetup::showFailure(const QString& reason) {
    m_working = false;
    const QString what =
        m_game.isEmpty() ? tr("Nothing was installed.") : tr("%1 was not installed.").arg(m_game);
    lbl_Status->setText(what + "\n\n" + reason);
    img_Warning->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
    img_Warning->show();
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
