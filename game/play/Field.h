#pragma once

#include "Control.h"

#include <array>
#include <string>

namespace zeltrix {

using korvo::Control;
using korvo::Line;

// The controls of the game window as plain data, at their design values. sh_Ball(1..5) are
// shBall[1..5]; shBall[0] is unused so the numbers read as in the game's rules.
struct Field {
    Field();

    Control pb_Screen;
    Control pb_Robot;
    std::array<Control, 6> sh_Ball;
    Control lab_Question;
    bool questionBehind = false; // lab_Question sent behind the other elements
    Line ln_LazerBeam;
    Control sh_Ground;
    std::array<Control, 4> p_Life;
    std::array<Control, 2> Label1;
    Control lab_Score;
    Control lab_HiScore;

    bool t_GunEnabled = false;
    bool m_SilentChecked = false;
    std::string caption = "Zeltrix";
    std::string m_AboutCaption = "&About Zeltrix";
};

} // namespace zeltrix
