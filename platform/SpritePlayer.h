#pragma once

#include "Control.h"

#include <string>

namespace korvo {

// Plays a ".spr" animation into a picture control, showing its frames one after another and
// moving the control by each frame's offsets, within the left and right limits (the right
// limit bounds the control's right edge). Repeats until stopped; Stop leaves the control where
// it is.
class SpritePlayer {
public:
    virtual ~SpritePlayer() = default;
    virtual void SetTarget(Control* target) = 0;
    virtual void SetBasePath(const std::string& path) = 0;
    virtual void SetTop(int top) = 0;
    virtual void SetLeftLimit(int left) = 0;
    virtual void SetRightLimit(int right) = 0;
    virtual void SetLeft(int left) = 0;
    virtual void SetFileName(const std::string& path) = 0;
    virtual bool IsPlaying() const = 0;
    virtual void Play() = 0;
    virtual void Stop() = 0;
};

} // namespace korvo
