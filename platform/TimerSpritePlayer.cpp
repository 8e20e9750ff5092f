#include "TimerSpritePlayer.h"

#include "Log.h"

#include <algorithm>
#include <filesystem>

namespace korvo {

TimerSpritePlayer::TimerSpritePlayer(QObject* parent) : QObject(parent) {
    connect(&m_timer, &QTimer::timeout, this, &TimerSpritePlayer::advance);
}

void TimerSpritePlayer::Play() {
    Stop();
    if (m_target == nullptr) {
        return;
    }
    try {
        m_animation = loadSprAnimation(std::filesystem::path(m_basePath) / m_fileName);
    } catch (const SprAnimation::Error& error) {
        qCDebug(lcKorvo) << "animation not played:" << error.what();
        return;
    }
    if (m_left) {
        m_target->Left = *m_left;
    }
    if (m_top) {
        m_target->Top = *m_top;
    }
    m_frame = 0;
    showFrame();
    m_timer.start(m_animation.interval);
}

void TimerSpritePlayer::advance() {
    if (m_target == nullptr || m_animation.frames.empty()) {
        return;
    }
    m_frame = (m_frame + 1) % m_animation.frames.size();
    showFrame();
}

void TimerSpritePlayer::showFrame() {
    const SprFrame& frame = m_animation.frames[m_frame];
    m_target->Picture = frame.picturePath;
    m_target->Left =
        std::max(m_leftLimit, std::min(m_target->Left + frame.dx, m_rightLimit - m_target->Width));
    m_target->Top += frame.dy;
    if (m_onFrame) {
        m_onFrame();
    }
}

} // namespace korvo
