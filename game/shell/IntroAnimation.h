#pragma once

#include "Control.h"

#include <array>
#include <cstdint>
#include <string>

namespace zeltrix {

// The intro's animation as plain data in twips, with no window: the fade of the window and the
// story box from black to the picture's top-left colour, the picture's rise that pushes the
// story box out at the top, the story's crawl and the end test. The window mirrors the
// controls and the four timers' enabled flags after every step.
class IntroAnimation {
public:
    static const std::string StoryText;

    IntroAnimation();

    // Places the picture below the window and sets the fade towards its corner colour.
    void GetColorAtStart(korvo::Rgb corner);
    void Timer1_Timer(); // the fade
    void Timer2_Timer(); // the rise
    void Timer3_Timer(); // the crawl
    // The end test; true when the intro ends now (FinishIntro has run).
    [[nodiscard]] bool Timer4_Timer(bool musicPlaying);
    // Stops every timer; true when the main window is to start now. Before the ready flag is
    // set, and once the intro has finished or been closed, it does nothing.
    [[nodiscard]] bool FinishIntro();
    // The window was closed: everything stops for good.
    void Unload();

    korvo::Rgb BackColor{0, 0, 0}; // the window's background
    korvo::Control P_Main;
    korvo::Control p_StoryBox;
    korvo::Control lbl_Story;
    korvo::Control Label1;
    bool Timer1Enabled = false;
    bool Timer2Enabled = false;
    bool Timer3Enabled = true;
    bool Timer4Enabled = false;
    bool ready = false;

private:
    std::array<double, 3> m_current{0, 0, 0};
    std::array<std::int16_t, 3> m_target{0, 0, 0};
    std::array<double, 3> m_step{0, 0, 0};
    bool m_finished = false;
};

} // namespace zeltrix
