#include "FrmAbout.h"

#include "DataPath.h"
#include "Documents.h"
#include "Maker.h"
#include "SysInfo.h"
#include "Twips.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace launcher {

namespace {

constexpr int kClientWidth = 6330;
constexpr int kClientHeight = 5310;
constexpr int kTextLeft = 1110;
constexpr int kTextWidth = 4980;

void place(QWidget* widget, int left, int top, int width, int height) {
    using korvo::toPixels;
    widget->setGeometry(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

template <typename T> T* named(QWidget* parent, const QString& name) {
    auto* widget = new T(parent);
    widget->setObjectName(name);
    return widget;
}

void colour(QWidget* widget, QPalette::ColorRole role, const QColor& c) {
    QPalette palette = widget->palette();
    palette.setColor(role, c);
    widget->setPalette(palette);
}

} // namespace

std::string VersionLine() {
    return "Version " + std::to_string(KORVO_VERSION_MAJOR) + "." +
           std::to_string(KORVO_VERSION_MINOR) + "." + std::to_string(KORVO_VERSION_PATCH);
}

std::string DistributionTerms() {
    return "Korvo Control Panel is free. You may copy it and pass it on to your family and "
           "friends, as long as you pass it on whole and ask nothing for it.\n"
           "The game components that you add through the Control Panel come with terms of their "
           "own, which you accept when you install them.\n"
           "You may not sell, change or take apart the Control Panel or any game component. "
           "The full terms are on the " +
           korvo::WebsiteName + " website, " + korvo::WebAddress + ".";
}

FrmAbout::FrmAbout(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      m_picIcon(named<QLabel>(this, "picIcon")), m_lblTitle(named<QLabel>(this, "lblTitle")),
      m_lblVersion(named<QLabel>(this, "lblVersion")),
      m_lblCopyright(named<QLabel>(this, "lblCopyright")),
      m_lbWebsite(named<QLabel>(this, "lb_Website")),
      m_lblDescription(named<QLabel>(this, "lblDescription_1")),
      m_lblDisclaimer(named<QLabel>(this, "lblDisclaimer")),
      m_cmdOK(named<QPushButton>(this, "cmdOK")),
      m_cmdSysInfo(named<QPushButton>(this, "cmdSysInfo")) {
    setObjectName("frm_About");
    setModal(true);
    setFixedSize(korvo::toPixels(kClientWidth), korvo::toPixels(kClientHeight));
    QFont small = font();
    small.setPointSizeF(8.25);
    setFont(small);

    m_picIcon->setPixmap(QPixmap(QString::fromStdString(korvo::dataPath("icon.png"))));
    place(m_picIcon, 240, 240, 720, 720);

    QFont titleFont = font();
    titleFont.setPointSizeF(12);
    titleFont.setBold(true);
    m_lblTitle->setFont(titleFont);
    place(m_lblTitle, kTextLeft, 240, kTextWidth, 480);
    place(m_lblVersion, kTextLeft, 780, kTextWidth, 285);
    place(m_lblCopyright, kTextLeft, 1080, kTextWidth, 285);

    colour(m_lbWebsite, QPalette::WindowText, QColor(0, 0, 255));
    m_lbWebsite->setAlignment(Qt::AlignCenter);
    m_lbWebsite->setCursor(Qt::PointingHandCursor);
    m_lbWebsite->installEventFilter(this);

    // One etched line: a dark stroke with a light one beneath it.
    for (std::size_t i = 0; i < m_line1.size(); ++i) {
        QFrame* line = named<QFrame>(this, QString("Line1_%1").arg(i));
        line->setFrameShape(QFrame::NoFrame);
        line->setAutoFillBackground(true);
        colour(line, QPalette::Window, i == 0 ? QColor(128, 128, 128) : QColor(255, 255, 255));
        place(line, 105, 1845 + static_cast<int>(i) * 15, kClientWidth - 210, 15);
        m_line1[i] = line;
    }

    m_lblDescription->setWordWrap(true);
    m_lblDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(m_lblDescription, 240, 2040, kClientWidth - 480, 2280);

    m_lblDisclaimer->setWordWrap(true);
    place(m_lblDisclaimer, 240, 4410, 4440, 780);

    m_cmdOK->setText("OK");
    m_cmdOK->setDefault(true);
    place(m_cmdOK, 4830, 4410, 1260, 345);
    m_cmdSysInfo->setText("&System Info...");
    m_cmdSysInfo->setAutoDefault(false);
    place(m_cmdSysInfo, 4845, 4860, 1245, 345);

    connect(m_cmdOK, &QPushButton::clicked, this, &FrmAbout::cmdOK_Click);
    connect(m_cmdSysInfo, &QPushButton::clicked, this, &FrmAbout::cmdSysInfo_Click);
    Form_Load();
}

void FrmAbout::Form_Load() {
    setWindowTitle(QString::fromStdString(kAboutCaption));
    m_lblVersion->setText(QString::fromStdString(VersionLine()));
    m_lblTitle->setText(QString::fromStdString(kAboutTitle));
    m_lblCopyright->setText(QString::fromStdString(korvo::copyrightLine(2000)));
    m_lbWebsite->setText(QString::fromStdString(korvo::WebAddress));
    // The label sizes itself to its text and stands in the middle of the box.
    m_lbWebsite->adjustSize();
    m_lbWebsite->move((width() - m_lbWebsite->width()) / 2, korvo::toPixels(1440));
    m_lblDescription->setText(QString::fromStdString(DistributionTerms()));
    m_lblDisclaimer->hide();
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
}

bool FrmAbout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_lbWebsite && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        lb_Website_Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace launcher
