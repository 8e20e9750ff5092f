#pragma once

#include "SprAnimation.h"
#include "SpritePlayer.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>
#include <string>

namespace korvo {

// Plays ".spr" animations into a control on a QTimer: each tick shows the next frame and moves
// the control by the frame's offsets, keeping its left edge at or right of the left limit and
// its right edge at or left of the right limit. The animation repeats until Stop.
class TimerSpritePlayer : public QObject, public SpritePlayer {
    Q_OBJECT

public:
    explicit TimerSpritePlayer(QObject* parent = nullptr);

    void SetTarget(Control* target) override { m_target = target; }
    // A relative file name is taken from here.
    void SetBasePath(const std::string& path) override { m_basePath = path; }
    void SetTop(int top) override { m_top = top; }
    void SetLeftLimit(int left) override { m_leftLimit = left; }
    void SetRightLimit(int right) override { m_rightLimit = right; }
    void SetLeft(int left) override { m_left = left; }
    void SetFileName(const std::string& path) override { m_fileName = path; }
    bool IsPlaying() const override { return m_timer.isActive(); }
    // Places the target at the left and top set and shows the first frame. A file that cannot
    // be played leaves everything as it is: a missing animation must not stop the game.
    void Play() override;
    void Stop() override { m_timer.stop(); }

    // Called after every frame shown, so that the window can repaint the target.
    void setOnFrame(std::function<void()> onFrame) { m_onFrame = std::move(onFrame); }
    // Shows the next frame, the first after the last; the timer's tick.
    void advance();

private:
    void showFrame();

    QTimer m_timer;
    Control* m_target = nullptr;
    std::string m_basePath;
    std::string m_fileName;
    std::optional<int> m_top;
    std::optional<int> m_left;
    int m_leftLimit = 0;
    int m_rightLimit = 0;
    SprAnimation m_animation;
    std::size_t m_frame = 0;
    std::function<void()> m_onFrame;
};

} // namespace korvo
