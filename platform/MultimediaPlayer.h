#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace korvo {

// What the player is doing, as the numbers the programs were written against.
enum class PlayerMode { NotOpen = 524, Stopped = 525, Playing = 526 };

enum class PlayerCommand { Open, Play, Prev, Close };

// What both programs need of their one sound and music player. perform() carries out a command
// at once and throws PlayerError when it cannot.
class MultimediaPlayer {
public:
    struct PlayerError : std::runtime_error {
        using std::runtime_error::runtime_error;
    };

    virtual ~MultimediaPlayer() = default;
    virtual std::string FileName() const = 0;
    virtual void SetFileName(const std::string& path) = 0;
    virtual PlayerMode mode() const = 0;
    virtual void perform(PlayerCommand command) = 0;

    // The text interface: Mode 526 while playing, Command "Open", "Play", "Prev" or "Close";
    // any other command text throws PlayerError.
    int Mode() const { return static_cast<int>(mode()); }
    void Command(std::string_view command);
};

std::string_view commandText(PlayerCommand command);

} // namespace korvo
