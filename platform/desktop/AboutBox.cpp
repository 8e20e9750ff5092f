#include "AboutBox.h"

#include "Documents.h"
#include "SysInfo.h"
#include "Twips.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace korvo {

AboutBox::AboutBox(QWidget* owner, int clientWidth, int clientHeight)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      m_picIcon(named<QLabel>("picIcon")), m_lblTitle(named<QLabel>("lblTitle")),
      m_lblVersion(named<QLabel>("lblVersion")), m_lblCopyright(named<QLabel>("lblCopyright")),
      m_lbWebsite(named<QLabel>("lb_Website")), m_cmdOK(named<QPushButton>("cmdOK")),
      m_cmdSysInfo(named<QPushButton>("cmdSysInfo")) {
    setObjectName("frm_About");
    setModal(true);
    setFixedSize(toPixels(clientWidth), toPixels(clientHeight));
    // The boxes are laid out for the small dialog face of 8.25 points.
    QFont small = font();
    small.setPointSizeF(8.25);
    setFont(small);

    QPalette blue = m_lbWebsite->palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
    m_lbWebsite->setPalette(blue);
    m_lbWebsite->setAlignment(Qt::AlignCenter);
    m_lbWebsite->setCursor(Qt::PointingHandCursor);
    m_lbWebsite->installEventFilter(this);

    m_cmdOK->setText("OK");
    m_cmdOK->setDefault(true);
    m_cmdSysInfo->setText("&System Info...");
    m_cmdSysInfo->setAutoDefault(false);
    connect(m_cmdOK, &QPushButton::clicked, this, &AboutBox::cmdOK_Click);
    connect(m_cmdSysInfo, &QPushButton::clicked, this, &AboutBox::cmdSysInfo_Click);
}

void AboutBox::cmdSysInfo_Click() {
    StartSysInfo();
}

void AboutBox::place(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

void AboutBox::showWebsite(const std::string& address, int top) {
    m_lbWebsite->setText(QString::fromStdString(address));
    m_lbWebsite->adjustSize();
    m_lbWebsite->move((width() - m_lbWebsite->width()) / 2, toPixels(top));
}

bool AboutBox::openWebsite() {
    bool opened = false;
    OpenDocument("http://" + m_lbWebsite->text().toStdString(), 2, opened);
    return opened;
}

bool AboutBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_lbWebsite && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        lb_Website_Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace korvo
