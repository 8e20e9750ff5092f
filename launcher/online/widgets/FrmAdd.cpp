#include "FrmAdd.h"

#include "Modal.h"
#include "Place.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

namespace launcher {

namespace {

constexpr int kClientWidth = 5400;
constexpr int kClientHeight = 2700;

// The laser beam that blinks while data arrives: 16 x 7 pixels, white-hot in the middle.
QPixmap beamPicture() {
    QPixmap beam(16, 7);
    beam.fill(Qt::transparent);
    QPainter painter(&beam);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(128, 0, 0));
    painter.drawRect(1, 1, 14, 5);
    painter.setBrush(QColor(255, 0, 0));
    painter.drawRect(0, 2, 16, 3);
    painter.setBrush(QColor(255, 255, 160));
    painter.drawRect(2, 3, 12, 1);
    return beam;
}

// Picture1: a patch of night sky for the beam to cross.
QPixmap skyPicture(int width, int height) {
    QPixmap sky(width, height);
    sky.fill(QColor(0, 0, 48));
    QPainter painter(&sky);
    painter.setPen(QColor(255, 255, 255));
    for (const QPoint star : {QPoint(4, 5), QPoint(27, 3), QPoint(15, 27), QPoint(31, 22),
                              QPoint(7, 30), QPoint(21, 9)}) {
        painter.drawPoint(star);
    }
    return sky;
}

} // namespace

FrmAdd::FrmAdd(const OnlineSetup& setup, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_logic(setup),
      m_lbStatus(named<QLabel>(this, "lb_Status")),
      m_lbProgress(named<QLabel>(this, "lb_Progress")),
      m_pbProgress(named<QFrame>(this, "pb_Progress")),
      m_pbBar(named<QWidget>(m_pbProgress, "pb_Bar")), m_picture1(named<QFrame>(this, "Picture1")),
      m_imgBeam(named<QLabel>(m_picture1, "img_beam")),
      m_cmdCancel(named<QPushButton>(this, "cmd_Cancel")) {
    setObjectName("frm_Add");
    setWindowTitle("Add Component");
    setModal(true);
    setFixedSize(korvo::toPixels(kClientWidth), korvo::toPixels(kClientHeight));

    m_lbStatus->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_lbStatus->setWordWrap(true);
    m_lbStatus->setTextFormat(Qt::PlainText);
    place(*m_lbStatus, m_logic.lb_Status);
    m_lbProgress->setAlignment(Qt::AlignCenter);
    place(*m_lbProgress, m_logic.lb_Progress);

    // The box clips its bar, which may be computed wider than the box.
    m_pbProgress->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_pbProgress->setAutoFillBackground(true);
    QPalette box = m_pbProgress->palette();
    box.setColor(QPalette::Window, QColor(255, 255, 255));
    m_pbProgress->setPalette(box);
    place(*m_pbProgress, m_logic.pb_Progress);
    m_pbBar->setAutoFillBackground(true);
    QPalette bar = m_pbBar->palette();
    const korvo::Rgb blue = m_logic.pb_Bar.BackColor;
    bar.setColor(QPalette::Window, QColor(blue.r, blue.g, blue.b));
    m_pbBar->setPalette(bar);

    m_picture1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    place(*m_picture1, 120, 1260, 540, 540);
    auto* sky = new QLabel(m_picture1);
    sky->setPixmap(skyPicture(m_picture1->width(), m_picture1->height()));
    sky->setGeometry(m_picture1->rect());
    sky->lower();
    m_imgBeam->setPixmap(beamPicture());
    m_imgBeam->setAccessibleName("Data arriving");

    m_cmdCancel->setText("&Cancel");
    m_cmdCancel->setDefault(true);
    place(*m_cmdCancel, 2093, 2160, 1215, 375);
    connect(m_cmdCancel, &QPushButton::clicked, this, &FrmAdd::cmd_Cancel_Click);

    m_logic.onChanged = [this] { refresh(); };
    refresh();
}

void FrmAdd::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_loaded) {
        m_loaded = true;
        // Started from the window's own event loop, so even an answer that comes at once
        // finds the window ready to close.
        QTimer::singleShot(0, this, &FrmAdd::Form_Load);
    }
}

void FrmAdd::Form_Load() {
    m_logic.Form_Load();
}

void FrmAdd::cmd_Cancel_Click() {
    m_logic.cmd_Cancel_Click();
}

void FrmAdd::reject() {
    // Escape and the window's close box are Cancel, and do nothing while Cancel is disabled.
    if (m_cmdCancel->isEnabled()) {
        cmd_Cancel_Click();
    }
}

void FrmAdd::refresh() {
    m_lbStatus->setText(qText(m_logic.lb_Status.Caption));
    m_lbProgress->setText(qText(m_logic.lb_Progress.Caption));
    // The bar fills the inside of the box's border in proportion to its width in twips.
    const QRect inside = m_pbProgress->contentsRect();
    const int full = std::max(m_logic.pb_Progress.Width, 1);
    m_pbBar->setGeometry(inside.left(), inside.top(), inside.width() * m_logic.pb_Bar.Width / full,
                         inside.height());
    place(*m_imgBeam, m_logic.img_beam);
    m_imgBeam->setVisible(m_logic.img_beam.Visible);
    m_cmdCancel->setEnabled(m_logic.cmd_Cancel_Enabled);
    if (m_logic.state() == DownloadState::Closed && !m_done) {
        m_done = true;
        if (m_loaded) {
            done(QDialog::Accepted);
        }
    }
}

void OpenDownloadWindow(QWidget* mainWindow, const OnlineSetup& setup, const std::string& fileName,
                        const std::string& game) {
    auto* frmAdd = new FrmAdd(setup, mainWindow);
    frmAdd->setAttribute(Qt::WA_DeleteOnClose);
    frmAdd->SetGame(game);
    frmAdd->SetDownloadFile(setup.componentsDir + fileName);
    frmAdd->SetDownloadURL(DownloadAddress(setup.downloadHost, fileName));
    korvo::openModal(*frmAdd);
}

} // namespace launcher
