#include "FrmAbout.h"

#include "Captions.h"
#include "DataPath.h"
#include "Messages.h"
#include "Twips.h"
#include "Version.h"

#include <QLabel>
#include <QPushButton>

namespace zeltrix {

namespace {

constexpr int kTextLeft = 1050;
constexpr int kTextWidth = 4440;

} // namespace

FrmAbout::FrmAbout(QWidget* owner) : AboutBox(owner, 5730, 4275) {
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
    place(m_cmdOK, 4305, 3315, 1260, 345);
    place(m_cmdSysInfo, 4320, 3765, 1245, 345);
    Form_Load();
}

void FrmAbout::Form_Load() {
    setWindowTitle(QString::fromStdString("About " + AppTitle));
    m_lblVersion->setText(QString::fromStdString("Version " + korvo::ProgramVersion()));
    m_lblTitle->setText(QString::fromStdString(AppTitle));
    m_lblCopyright->setText(QString::fromStdString(korvo::copyrightLine(2026)));
    showWebsite(WebAddress, 2280);
}

void FrmAbout::lb_Website_Click() {
    if (!openWebsite()) {
        korvo::PlatformMessage(
            "Unable to locate your web browser.\n\nIf you have a web browser, you can "
            "visit " +
                WebAddress + ".",
            korvo::MessageIcon::Exclamation);
    }
}

} // namespace zeltrix
