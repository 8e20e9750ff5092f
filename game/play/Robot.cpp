#include "DataPath.h"
#include "Game.h"

namespace zeltrix {

namespace {
void startRun(korvo::SpritePlayer& sprite, const Control& robot, const char* animation) {
    if (sprite.IsPlaying()) {
        sprite.Stop();
    }
    sprite.SetLeft(robot.Left);
    sprite.SetFileName(korvo::dataPath(animation));
    sprite.Play();
}
} // namespace

void Game::pb_Robot_KeyDown(int keyCode) {
    if (m_state.Frozen) {
        return;
    }
    switch (keyCode) {
    case kKeySpace:
        FireLaser();
        break;
    case kKeyLeft:
        // Auto-repeat of a held key arrives here again; the state test starts the run once.
        if (m_state.RobotState != RobotMotion::Left) {
            m_state.RobotState = RobotMotion::Left;
            startRun(m_services.sprite, m_field.pb_Robot, "robot run left.spr");
        }
        break;
    case kKeyRight:
        if (m_state.RobotState != RobotMotion::Right) {
            m_state.RobotState = RobotMotion::Right;
            startRun(m_services.sprite, m_field.pb_Robot, "robot run right.spr");
        }
        break;
    default:
        break;
    }
}

void Game::pb_Robot_KeyUp(int keyCode) {
    if (m_state.Frozen || (keyCode != kKeyLeft && keyCode != kKeyRight)) {
        return;
    }
    const bool left = keyCode == kKeyLeft;
    m_state.RobotState = left ? RobotMotion::NoneLeft : RobotMotion::NoneRight;
    if (m_services.sprite.IsPlaying()) {
        m_services.sprite.Stop();
    }
    m_field.pb_Robot.Picture =
        korvo::dataPath(left ? "robot stand left.gif" : "robot stand right.gif");
}

} // namespace zeltrix
