#include "Game.h"
#include "Palette.h"

#include <cmath>

namespace zeltrix {

namespace {
int nearest(double x) {
    return static_cast<int>(std::nearbyint(x));
} // halves to even
int floorInt(double x) {
    return static_cast<int>(std::floor(x));
}
} // namespace

void Game::SetUpComeq(int i) {
    auto& rnd = m_services.random;
    Control& ball = m_field.sh_Ball[i];
    ComeqState& comeq = m_state.Comeqs[i - 1];
    const int robotHeight = m_field.pb_Robot.Height;

    ball.Width = floorInt(rnd.Rnd() * 350) + 450;
    ball.Height = ball.Width;
    ball.BackColor = korvo::QBColor(floorInt(rnd.Rnd() * 7 + 9));
    comeq.ApexTop = floorInt(rnd.Rnd() * (kGround - (2 * robotHeight + ball.Height)));
    ball.Top = floorInt((kGround - (robotHeight + ball.Height) - comeq.ApexTop) * rnd.Rnd()) +
               comeq.ApexTop;
    ball.Left = floorInt(rnd.Rnd() * (kRightWall - ball.Width));
    ball.Visible = true;
    comeq.Rising = true;
    comeq.Dx = nearest(rnd.Rnd() * 80 * m_state.Wave - m_state.Wave * 40);
    PickQuestion(i);
    ball.Caption = comeq.Answer;
}

void Game::MoveComeqs() {
    const int n = m_state.ComeqCount;
    for (int i = 1; i <= n; ++i) {
        Control& ball = m_field.sh_Ball[i];
        if (!ball.Visible) {
            continue;
        }
        ComeqState& comeq = m_state.Comeqs[i - 1];
        const int t = ball.Top;
        const int a = comeq.ApexTop;
        // The speed of a body that fell from the apex: slowest there, fastest at the ground.
        int v =
            nearest(std::sqrt(std::max(0, t - a) * 2.0 * m_state.Gravity) + m_state.Gravity * 0.5);
        if (v < 1) {
            v = 1;
        }
        if (comeq.Rising) {
            v = -v;
        }

        if (ball.Height + t + v > kGround) {
            ball.Top = kGround - ball.Height;
            comeq.Rising = true;
            PlaySound("pop.wav", false);
        } else if (t + v < a) {
            ball.Top = a;
            comeq.Rising = false;
        } else {
            ball.Top = t + v;
        }

        const int d = comeq.Dx;
        if (ball.Left + d > kLeftWall && ball.Width + ball.Left + d < kRightWall) {
            ball.Left += d;
        } else {
            comeq.Dx = -comeq.Dx;
        }

        CheckRobotHit(i);
        CheckLaserHit(i);
    }

    if (m_state.Bonus > 100) {
        m_state.Bonus -= 1;
    } else {
        m_state.Bonus = 100;
    }
}

void Game::CheckRobotHit(int i) {
    const Control& robot = m_field.pb_Robot;
    const Control& ball = m_field.sh_Ball[i];
    if (!ball.Visible) {
        return;
    }
    if (robot.Left + robot.Width - 100 > ball.Left && robot.Left + 100 < ball.Left + ball.Width &&
        ball.Top + ball.Height > robot.Top) {
        SquashRobot(i);
    }
}

} // namespace zeltrix
