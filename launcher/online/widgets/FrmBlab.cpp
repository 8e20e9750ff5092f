#include "FrmBlab.h"

#include "FrmAdd.h"
#include "Look.h"
#include "Maker.h"
#include "Place.h"

#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace launcher {

namespace {
constexpr int kClientWidth = 4890;
constexpr int kClientHeight = 4725;
constexpr int kScrollMs = 100;

void whiteText(QLabel& label) {
    label.setStyleSheet("color: rgb(255,255,255); background: transparent;");
}
} // namespace

FrmBlab::FrmBlab(const OnlineSetup& setup, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_setup(setup),
      m_picture1(named<QFrame>(this, "Picture1")),
      m_pbScreenDump(named<QLabel>(m_picture1, "pb_ScreenDump")),
      m_pStoryBox(named<QWidget>(m_picture1, "p_StoryBox")),
      m_lblStory(named<QLabel>(m_pStoryBox, "lbl_Story")),
      m_lbInstall(named<QLabel>(this, "lb_Install")),
      m_cmdDownload(named<QPushButton>(this, "cmd_Download")),
      m_cmdClose(named<QPushButton>(this, "cmd_Close")) {
    setObjectName("frm_Blab");
    setModal(true);
    korvo::setTealBackground(*this);
    setFixedSize(korvo::toPixels(kClientWidth), korvo::toPixels(kClientHeight));

    m_picture1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_picture1->setAutoFillBackground(true);
    QPalette black = m_picture1->palette();
    black.setColor(QPalette::Window, QColor(0, 0, 0));
    m_picture1->setPalette(black);
    place(*m_picture1, 120, 105, 4650, 3510);
    place(*m_pbScreenDump, 1065, 195, 2460, 1860);
    m_pbScreenDump->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_pbScreenDump->setAccessibleName("Picture of the game");
    place(*m_pStoryBox, m_page.p_StoryBox);

    whiteText(*m_lblStory);
    m_lblStory->setFont(korvo::comicFont(9.75));
    m_lblStory->setWordWrap(true);
    m_lblStory->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_lblStory->setTextFormat(Qt::PlainText);

    whiteText(*m_lbInstall);
    m_lbInstall->setAlignment(Qt::AlignCenter);
    m_lbInstall->setTextFormat(Qt::PlainText);
    place(*m_lbInstall, 195, 3750, 4500, 330);

    m_cmdDownload->setText("&Add");
    m_cmdDownload->setToolTip(
        qText("Download this game from the " + korvo::WebsiteName + " website."));
    m_cmdDownload->setAutoDefault(false);
    place(*m_cmdDownload, 1110, 4215, 1215, 375);
    m_cmdClose->setText("&Close");
    m_cmdClose->setAutoDefault(false);
    place(*m_cmdClose, 2565, 4215, 1215, 375);

    connect(m_cmdDownload, &QPushButton::clicked, this, &FrmBlab::cmd_Download_Click);
    connect(m_cmdClose, &QPushButton::clicked, this, &FrmBlab::reject);
    connect(&m_tScroll, &QTimer::timeout, this, &FrmBlab::t_Scroll_Timer);
    m_tScroll.start(kScrollMs);
    refresh();
}

void FrmBlab::SetGame(const std::string& name, const std::string& picturePath,
                      const std::string& story) {
    m_page.SetGame(name, picturePath, story);
    m_pbScreenDump->setPixmap(QPixmap(qText(m_page.ScreenDump)));
    m_lblStory->setText(qText(m_page.lbl_Story.Caption));
    // The label keeps its width and grows to hold its text.
    const int width = korvo::toPixels(m_page.lbl_Story.Width);
    m_page.lbl_Story.Height = korvo::toTwips(m_lblStory->heightForWidth(width));
    refresh();
}

void FrmBlab::t_Scroll_Timer() {
    m_page.t_Scroll_Timer();
    if (!m_page.t_Scroll_Enabled) {
        m_tScroll.stop();
    }
    refresh();
}

void FrmBlab::cmd_Download_Click() {
    const std::optional<std::string> file = m_page.cmd_Download_Click();
    if (!file) {
        return;
    }
    QWidget* mainWindow = parentWidget();
    const std::string game = windowTitle().toStdString();
    accept();
    OpenDownloadWindow(mainWindow, m_setup, *file, game);
}

void FrmBlab::refresh() {
    setWindowTitle(qText(m_page.Caption));
    m_lbInstall->setText(qText(m_page.lb_Install));
    place(*m_lblStory, m_page.lbl_Story);
}

} // namespace launcher
