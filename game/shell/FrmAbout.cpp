#include "FrmAbout.h"

#include "Captions.h"
#include "DataPath.h"
#include "Documents.h"
#include "Messages.h"
#include "SysInfo.h"
#include "Twips.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace zeltrix {

namespace {

constexpr int kClientWidth = 5730;
constexpr int kClientHeight = 4275;
constexpr int kTextLeft = 1050;
constexpr int kTextWidth = 4440;

void place(QWidget* widget, int left, int top, int width, int height) {
    using korvo::toPixels;
    widget->setGeometry(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

template <typename T> T* named(QWidget* parent, const char* name) {
    auto* widget = new T(parent);
    widget->setObjectName(name);
    return widget;
}

} // namespace

FrmAbout::FrmAbout(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      m_picIcon(named<QLabel>(this, "picIcon")), m_lblTitle(named<QLabel>(this, "lblTitle")),
      m_lblVersion(named<QLabel>(this, "lblVersion")),
      m_lblCopyright(named<QLabel>(this, "lblCopyright")),
      m_lbWebsite(named<QLabel>(this, "lb_Website")), m_cmdOK(named<QPushButton>(this, "cmdOK")),
      m_cmdSysInfo(named<QPushButton>(this, "cmdSysInfo")) {
    setObjectName("frm_About");
    setModal(true);
    setFixedSize(korvo::toPixels(kClientWidth), korvo::toPixels(kClientHeight));
    // The box's layout is measured for the small dialog face of 8.25 points.
    QFont small = font();
    small.setPointSizeF(8.25);
    setFont(small);

    m_picIcon->setPixmap(QPixmap(QString::fromStdString(korvo::dataPath("life.gif"))));
    place(m_picIcon, 240, 240, 720, 720);

    QFont titleFont = font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    titleFont.setBold(true);
    m_lblTitle->setFont(titleFont);
    place(m_lblTitle, kTextLeft, 240, kTextWidth, 480);
    place(m_lblVersion, kTextLeft, 780, kTextWidth, 285);
    m_lblCopyright->setWordWrap(true);
    m_lblCopyright->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(m_lblCopyright, kTextLeft, 1170, kTextWidth, 855);

    QPalette blue = m_lbWebsite->palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
    m_lbWebsite->setPalette(blue);
    m_lbWebsite->setAlignment(Qt::AlignCenter);
    m_lbWebsite->setCursor(Qt::PointingHandCursor);
    m_lbWebsite->installEventFilter(this);

    m_cmdOK->setText("OK");
    m_cmdOK->setDefault(true);
    place(m_cmdOK, 4305, 3315, 1260, 345);
    m_cmdSysInfo->setText("&System Info...");
    m_cmdSysInfo->setAutoDefault(false);
    place(m_cmdSysInfo, 4320, 3765, 1245, 345);

    connect(m_cmdOK, &QPushButton::clicked, this, &FrmAbout::cmdOK_Click);
    connect(m_cmdSysInfo, &QPushButton::clicked, this, &FrmAbout::cmdSysInfo_Click);
    Form_Load();
}

void FrmAbout::Form_Load() {
    setWindowTitle(QString::fromStdString("About " + AppTitle));
    m_lblVersion->setText(QString::fromStdString("Version " + AppVersion()));
    m_lblTitle->setText(QString::fromStdString(AppTitle));
    m_lblCopyright->setText(QString::fromStdString(korvo::copyrightLine(2026)));
    m_lbWebsite->setText(QString::fromStdString(WebAddress));
    // The label sizes itself to its text and stands in the middle of the box.
    m_lbWebsite->adjustSize();
    m_lbWebsite->move((width() - m_lbWebsite->width()) / 2, korvo::toPixels(2280));
}

void FrmAbout::cmdOK_Click() {
    accept();
}

void FrmAbout::cmdSysInfo_Click() {
    korvo::StartSysInfo();
}

void FrmAbout::lb_Website_Click() {
    bool opened = false;
    korvo::OpenDocument("http://" + m_lbWebsite->text().toStdString(), 2, opened);
    if (!opened) {
        korvo::PlatformMessage(
            "Unable to locate your web browser.\n\nIf you have a web browser, you can "
            "visit " +
                WebAddress + ".",
            korvo::MessageIcon::Exclamation);
    }
}

bool FrmAbout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_lbWebsite && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        lb_Website_Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace zeltrix
