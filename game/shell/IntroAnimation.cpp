#include "IntroAnimation.h"

namespace zeltrix {

namespace {
constexpr int kStep = 15;           // one pixel
constexpr int kPictureStart = 7200; // just below the window's client area
constexpr int kPictureStopAbove = 1500;
} // namespace

const std::string IntroAnimation::StoryText =
    "The Story So Far :\n"
    "Across oceans of space, there lies a barren planet, devoid of all life.  But it was not "
    "always so.  A once thriving civilisation has been mercilessly 'stamped' out by marauding "
    "bands of bouncing Complex Equations (Comeqs for short).\n\n"
    "You, Korvo, have been sent on a mission to eliminate every last Comeq.  Armed with a "
    "powerful laser, you are to hunt and destroy!  But be careful : think before you shoot, "
    "mistakes can be fatal.\n\n"
    "Good luck Korvo, do your best, and may Eulidor be with you.";

IntroAnimation::IntroAnimation() {
    P_Main.Top = kPictureStart; // out of sight from the start, so the picture never flashes
    p_StoryBox.Left = 2880;
    p_StoryBox.Top = 4755;
    p_StoryBox.Width = 4275;
    p_StoryBox.Height = 2040;
    lbl_Story.Left = 345;
    lbl_Story.Top = 2100;
    lbl_Story.Width = 3555;
    lbl_Story.Caption = StoryText;
    lbl_Story.ForeColor = {255, 255, 255};
    Label1.Left = 60;
    Label1.Top = 15;
    Label1.Caption = "Press any key to skip intro";
    Label1.ForeColor = {0, 128, 128};
}

void IntroAnimation::GetColorAtStart(korvo::Rgb corner) {
    P_Main.Top = kPictureStart;
    P_Main.Left = 0;
    m_target = {corner.r, corner.g, corner.b};
    for (std::size_t i = 0; i < 3; ++i) {
        // A 64th of the target: exact in binary, so 64 steps land on the target exactly.
        m_step[i] = m_target[i] != 0 ? m_target[i] * 4.0 / 256.0 : 0.0;
    }
    Timer1Enabled = true;
}

void IntroAnimation::Timer1_Timer() {
    int done = 0;
    for (std::size_t i = 0; i < 3; ++i) {
        if (m_current[i] < m_target[i]) {
            m_current[i] += m_step[i];
        } else {
            m_current[i] = m_target[i];
            ++done;
        }
    }
    BackColor = {static_cast<std::uint8_t>(m_current[0]), static_cast<std::uint8_t>(m_current[1]),
                 static_cast<std::uint8_t>(m_current[2])};
    p_StoryBox.BackColor = BackColor;
    if (done == 3) {
        Timer1Enabled = false;
        Timer2Enabled = true;
    }
}

void IntroAnimation::Timer2_Timer() {
    if (P_Main.Top - kStep > kPictureStopAbove) {
        P_Main.Top -= kStep;
        p_StoryBox.Top -= kStep;
    } else {
        Timer2Enabled = false;
    }
}

void IntroAnimation::Timer3_Timer() {
    lbl_Story.Top -= kStep;
}

bool IntroAnimation::Timer4_Timer(bool musicPlaying) {
    return !Timer1Enabled && !Timer2Enabled && !musicPlaying && FinishIntro();
}

bool IntroAnimation::FinishIntro() {
    if (!ready || m_finished) {
        return false;
    }
    Timer1Enabled = false;
    Timer2Enabled = false;
    Timer3Enabled = false;
    Timer4Enabled = false;
    m_finished = true;
    return true;
}

void IntroAnimation::Unload() {
    Timer1Enabled = Timer2Enabled = Timer3Enabled = Timer4Enabled = false;
    m_finished = true;
}

} // namespace zeltrix
