#include "FrmBlab.h"

#include "Look.h"
#include "Twips.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace launcher {

using korvo::toPixels;

namespace {
QRect pixels(int left, int top, int width, int height) {
    return {toPixels(left), toPixels(top), toPixels(width), toPixels(height)};
}

void whiteText(QLabel& label) {
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label.setPalette(palette);
}
} // namespace

FrmBlab::FrmBlab(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint) {
    setObjectName("frm_Blab");
    setWindowTitle("Korvo's Game");
    korvo::setTealBackground(*this);
    setFixedSize(toPixels(4890), toPixels(4740));

    auto* picture1 = new QFrame(this);
    picture1->setObjectName("Picture1");
    picture1->setFrameShape(QFrame::Panel);
    picture1->setFrameShadow(QFrame::Sunken);
    picture1->setGeometry(pixels(120, 105, 4650, 3510));

    m_pbScreenDump = new QLabel(picture1);
    m_pbScreenDump->setObjectName("pb_ScreenDump");
    m_pbScreenDump->setAlignment(Qt::AlignCenter);
    m_pbScreenDump->setGeometry(pixels(1065, 195, 2460, 1860));

    auto* storyBox = new QWidget(picture1);
    storyBox->setObjectName("p_StoryBox");
    storyBox->setGeometry(pixels(60, 2070, 4470, 1380));
    m_lblStory = new QLabel(storyBox);
    m_lblStory->setObjectName("lbl_Story");
    m_lblStory->setFont(korvo::comicFont(9));
    m_lblStory->setWordWrap(true);
    m_lblStory->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_lblStory->setGeometry(pixels(270, 60, 3960, 1320));
    whiteText(*m_lblStory);

    m_lbInstall = new QLabel("This component has not been added.", this);
    m_lbInstall->setObjectName("lb_Install");
    m_lbInstall->setAlignment(Qt::AlignCenter);
    m_lbInstall->setFont(korvo::comicFont(9));
    m_lbInstall->setGeometry(pixels(195, 3750, 4500, 330));
    whiteText(*m_lbInstall);

    m_cmdClose = new QPushButton("&Close", this);
    m_cmdClose->setObjectName("cmd_Close");
    m_cmdClose->setStyleSheet(korvo::colouredButtonStyle());
    m_cmdClose->setGeometry(pixels(3450, 4200, 1215, 375));
    m_cmdClose->setDefault(true);
    connect(m_cmdClose, &QPushButton::clicked, this, &QDialog::reject);
}

void FrmBlab::fill(const GameInfo& page) {
    setWindowTitle(QString::fromStdString(page.Caption));
    m_pbScreenDump->setPixmap(QPixmap(QString::fromStdString(page.Picture)));
    m_lbInstall->setText(QString::fromStdString(page.lb_Install));
    m_lblStory->setText(QString::fromStdString(page.lbl_Story));
}

} // namespace launcher
