#include "DataPath.h"
#include "Game.h"

namespace zeltrix {

void Game::FireLaser() {
    PlaySound("gunshot.wav", true);
    if (m_services.sprite.IsPlaying()) {
        m_services.sprite.Stop();
    }
    if (m_state.RobotState == RobotMotion::Left) {
        m_state.RobotState = RobotMotion::NoneLeft;
    } else if (m_state.RobotState == RobotMotion::Right) {
        m_state.RobotState = RobotMotion::NoneRight;
    }

    Control& robot = m_field.pb_Robot;
    Line& beam = m_field.ln_LazerBeam;
    if (m_state.RobotState == RobotMotion::NoneLeft) {
        robot.Picture = korvo::dataPath("robot gun left.gif");
        beam.X2 = robot.Left;
        beam.X1 = beam.X2 - 2000;
    } else {
        robot.Picture = korvo::dataPath("robot gun right.gif");
        beam.X1 = robot.Left + robot.Width;
        beam.X2 = beam.X1 + 2000;
    }
    beam.Y1 = robot.Top + 380;
    beam.Y2 = beam.Y1;
    beam.Visible = true;
    m_field.t_GunEnabled = true;
}

void Game::CheckLaserHit(int i) {
    const Line& beam = m_field.ln_LazerBeam;
    Control& ball = m_field.sh_Ball[i];
    if (!beam.Visible || !ball.Visible) {
        return;
    }
    if (!(ball.Left + ball.Width > beam.X1 && ball.Left < beam.X2 && ball.Top < beam.Y1 &&
          ball.Top + ball.Height > beam.Y1)) {
        return;
    }
    if (m_state.CurrentQuestion < 1 || m_state.CurrentQuestion > m_state.ComeqCount) {
        return; // no question asked yet
    }
    if (ball.Caption != m_state.Comeqs[m_state.CurrentQuestion - 1].Answer) {
        SquashRobot(i);
        return;
    }

    m_state.Score += m_state.Bonus;
    // A score won shows with a leading blank, where the sign of a negative number would stand.
    m_field.lab_Score.Caption = " " + std::to_string(m_state.Score);
    if (m_state.HiScore < m_state.Score) {
        m_state.HiScore = m_state.Score;
        m_field.lab_HiScore.Caption = m_field.lab_Score.Caption;
    }
    ball.Visible = false;
    m_state.ComeqsLeft -= 1;
    if (m_state.ComeqsLeft != 0) {
        NextQuestion();
        return;
    }
    LevelCleared();
}

} // namespace zeltrix
