#include "AboutWindow.h"

#include "DataPath.h"
#include "Maker.h"
#include "Twips.h"
#include "Version.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace launcher {

namespace {

constexpr int kClientWidth = 6330;
constexpr int kClientHeight = 5310;
constexpr int kTextLeft = 1110;
constexpr int kTextWidth = 4980;

void colour(QWidget* widget, QPalette::ColorRole role, const QColor& c) {
    QPalette palette = widget->palette();
    palette.setColor(role, c);
    widget->setPalette(palette);
}

} // namespace

std::string DistributionTerms() {
    return "Korvo Control Panel is free. You may copy it and pass it on to your family and "
           "friends, as long as you pass it on whole and ask nothing for it.\n"
           "The game components that you add through the Control Panel come with terms of their "
           "own, which you accept when you install them.\n"
           "You may not sell, change or take apart the Control Panel or any game component. "
           "The full terms are on the " +
           korvo::WebsiteName + " website, " + korvo::WebAddress + ".";
}

AboutWindow::AboutWindow(QWidget* owner)
    : AboutBox(owner, kClientWidth, kClientHeight),
      m_lblDescription(named<QLabel>("lblDescription_1")),
      m_lblDisclaimer(named<QLabel>("lblDisclaimer")) {
    m_picIcon->setPixmap(QPixmap(QString::fromStdString(korvo::dataPath("icon.png"))));
    place(m_picIcon, 240, 240, 720, 720);

    QFont titleFont = font();
    titleFont.setPointSizeF(12);
    titleFont.setBold(true);
    m_lblTitle->setFont(titleFont);
    place(m_lblTitle, kTextLeft, 240, kTextWidth, 480);
    place(m_lblVersion, kTextLeft, 780, kTextWidth, 285);
    place(m_lblCopyright, kTextLeft, 1080, kTextWidth, 285);

    // One etched line: a dark stroke with a light one beneath it.
    for (std::size_t i = 0; i < m_line1.size(); ++i) {
        auto* line = new QFrame(this);
        line->setObjectName(QString("Line1_%1").arg(i));
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

    place(m_cmdOK, 4830, 4410, 1260, 345);
    place(m_cmdSysInfo, 4845, 4860, 1245, 345);
    Form_Load();
}

void AboutWindow::Form_Load() {
    setWindowTitle(QString::fromStdString(kAboutCaption));
    m_lblVersion->setText(QString::fromStdString("Version " + korvo::ProgramVersion()));
    m_lblTitle->setText(QString::fromStdString(kAboutTitle));
    m_lblCopyright->setText(QString::fromStdString(korvo::copyrightLine(2000)));
    showWebsite(korvo::WebAddress, 1440);
    m_lblDescription->setText(QString::fromStdString(DistributionTerms()));
    m_lblDisclaimer->hide();
}

void AboutWindow::lb_Website_Click() {
    openWebsite();
}

} // namespace launcher
