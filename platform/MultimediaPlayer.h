#pragma once

#include <stdexcept>
#include <string>

namespace korvo {

// What both programs need of their one sound and music player. Command() performs "Open",
// "Play", "Prev" and "Close" at once and throws PlayerError when it cannot.
class MultimediaPlayer {
public:
    static constexpr int kModePlaying = 526;
    static constexpr int kModeStopped = 525;
    static constexpr int kModeNotOpen = 524;

    struct PlayerError : std::runtime_error {
        using std::runtime_error::runtime_error;
    };

    virtual ~MultimediaPlayer() = default;
    virtual std::string FileName() const = 0;
    virtual void SetFileName(const std::string& path) = 0;
    virtual int Mode() const = 0;
    virtual void Command(const std::string& command) = 0;
};

} // namespace korvo
