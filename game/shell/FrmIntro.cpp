#include "FrmIntro.h"

#include "Look.h"

#include "DataPath.h"
#include "Twips.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>

namespace zeltrix {

namespace {

using korvo::toPixels;

constexpr int kClientWidth = 9480;
constexpr int kClientHeight = 6795;

QColor toColor(korvo::Rgb rgb) {
    return {rgb.r, rgb.g, rgb.b};
}

void setColor(QWidget* widget, QPalette::ColorRole role, korvo::Rgb rgb) {
    if (widget->palette().color(role) == toColor(rgb)) {
        return;
    }
    QPalette palette = widget->palette();
    palette.setColor(role, toColor(rgb)); // every colour group: the story box is disabled
    widget->setPalette(palette);
}

void setRunning(QTimer& timer, bool enabled) {
    if (enabled && !timer.isActive()) {
        timer.start();
    } else if (!enabled && timer.isActive()) {
        timer.stop();
    }
}

void initTimer(QTimer& timer, const char* name, int interval) {
    timer.setObjectName(name);
    timer.setInterval(interval);
}

} // namespace

FrmIntro::FrmIntro(korvo::SoundBoard& sound, korvo::MultimediaPlayer& player,
                   std::function<void()> startMainWindow)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_sound(sound), m_player(player), m_startMainWindow(std::move(startMainWindow)),
      m_pMain(new QLabel(this)), m_storyBox(new QWidget(this)), m_lblStory(new QLabel(m_storyBox)),
      m_label1(new QLabel(this)), m_timer1(this), m_timer2(this), m_timer3(this), m_timer4(this) {
    setObjectName("frm_Intro");
    setWindowTitle(QString());
    setFixedSize(toPixels(kClientWidth), toPixels(kClientHeight));
    setAutoFillBackground(true);
    setColor(this, QPalette::Window, {255, 255, 255}); // differs from black: the first sync sets it

    m_pMain->setObjectName("P_Main");
    m_pMain->setFocusPolicy(Qt::StrongFocus);

    m_storyBox->setObjectName("p_StoryBox");
    m_storyBox->setAutoFillBackground(true);
    m_storyBox->setEnabled(false);

    m_lblStory->setObjectName("lbl_Story");
    m_lblStory->setFont(korvo::comicFont(11.25));
    m_lblStory->setWordWrap(true);
    m_lblStory->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_lblStory->setText(QString::fromStdString(m_animation.lbl_Story.Caption));
    setColor(m_lblStory, QPalette::WindowText, m_animation.lbl_Story.ForeColor);
    const int storyWidth = toPixels(m_animation.lbl_Story.Width);
    m_lblStory->resize(storyWidth, m_lblStory->heightForWidth(storyWidth));

    m_label1->setObjectName("Label1");
    m_label1->setFont(korvo::comicFont(8.25));
    m_label1->setText(QString::fromStdString(m_animation.Label1.Caption));
    setColor(m_label1, QPalette::WindowText, m_animation.Label1.ForeColor);
    m_label1->adjustSize();
    m_label1->move(toPixels(m_animation.Label1.Left), toPixels(m_animation.Label1.Top));

    initTimer(m_timer1, "Timer1", 100);
    initTimer(m_timer2, "Timer2", 100);
    initTimer(m_timer3, "Timer3", 100);
    initTimer(m_timer4, "Timer4", 500);
    connect(&m_timer1, &QTimer::timeout, this, &FrmIntro::Timer1_Timer);
    connect(&m_timer2, &QTimer::timeout, this, &FrmIntro::Timer2_Timer);
    connect(&m_timer3, &QTimer::timeout, this, &FrmIntro::Timer3_Timer);
    connect(&m_timer4, &QTimer::timeout, this, &FrmIntro::Timer4_Timer);

    Form_Load();
}

void FrmIntro::Form_Load() {
    // Without its picture the intro still runs: a black picture, so the fade ends at once.
    m_picture = QImage(QString::fromStdString(korvo::dataPath("background.gif")));
    if (m_picture.isNull()) {
        m_picture = QImage(width(), height(), QImage::Format_RGB32);
        m_picture.fill(Qt::black);
    }
    m_pMain->setPixmap(QPixmap::fromImage(m_picture));
    m_pMain->resize(m_picture.size());
    m_animation.P_Main.Width = korvo::toTwips(m_picture.width());
    m_animation.P_Main.Height = korvo::toTwips(m_picture.height());

    m_sound.PlaySound("anthem1.mid", true);
    m_animation.Timer4Enabled = true;
    sync();

    if (const QScreen* screen = this->screen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    show();
    QCoreApplication::processEvents();
    GetColorAtStart();
    m_pMain->setFocus();
    m_animation.ready = true;
}

void FrmIntro::GetColorAtStart() {
    const QColor corner = m_picture.pixelColor(0, 0);
    m_animation.GetColorAtStart({static_cast<std::uint8_t>(corner.red()),
                                 static_cast<std::uint8_t>(corner.green()),
                                 static_cast<std::uint8_t>(corner.blue())});
    sync();
}

void FrmIntro::Timer1_Timer() {
    m_animation.Timer1_Timer();
    sync();
}

void FrmIntro::Timer2_Timer() {
    m_animation.Timer2_Timer();
    sync();
}

void FrmIntro::Timer3_Timer() {
    m_animation.Timer3_Timer();
    sync();
}

void FrmIntro::Timer4_Timer() {
    if (m_animation.Timer4_Timer(m_sound.IsPlaying())) {
        sync();
        StartMainWindow();
    }
}

void FrmIntro::p_Main_KeyPress() {
    FinishIntro();
}

void FrmIntro::FinishIntro() {
    if (m_animation.FinishIntro()) {
        sync();
        StartMainWindow();
    }
}

void FrmIntro::StartMainWindow() {
    m_sound.PlaySound("", true);
    if (m_startMainWindow) {
        m_startMainWindow();
    }
    hide();
}

void FrmIntro::keyPressEvent(QKeyEvent* event) {
    // Only keys that type a character count: not arrows, function keys or Shift alone.
    if (!event->text().isEmpty()) {
        p_Main_KeyPress();
        return;
    }
    QWidget::keyPressEvent(event);
}

void FrmIntro::closeEvent(QCloseEvent* event) {
    m_animation.Unload();
    sync();
    try {
        m_player.perform(korvo::PlayerCommand::Close);
    } catch (const korvo::MultimediaPlayer::PlayerError&) {
        // Nothing was open: nothing to release.
    }
    event->accept();
}

void FrmIntro::sync() {
    const IntroAnimation& a = m_animation;
    setColor(this, QPalette::Window, a.BackColor);
    setColor(m_storyBox, QPalette::Window, a.p_StoryBox.BackColor);
    m_pMain->move(toPixels(a.P_Main.Left), toPixels(a.P_Main.Top));
    m_storyBox->setGeometry(toPixels(a.p_StoryBox.Left), toPixels(a.p_StoryBox.Top),
                            toPixels(a.p_StoryBox.Width), toPixels(a.p_StoryBox.Height));
    m_lblStory->move(toPixels(a.lbl_Story.Left), toPixels(a.lbl_Story.Top));
    setRunning(m_timer1, a.Timer1Enabled);
    setRunning(m_timer2, a.Timer2Enabled);
    setRunning(m_timer3, a.Timer3Enabled);
    setRunning(m_timer4, a.Timer4Enabled);
}

} // namespace zeltrix
