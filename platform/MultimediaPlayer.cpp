#include "MultimediaPlayer.h"

namespace korvo {

namespace {
constexpr PlayerCommand kCommands[] = {PlayerCommand::Open, PlayerCommand::Play,
                                       PlayerCommand::Prev, PlayerCommand::Close};
} // namespace

std::string_view commandText(PlayerCommand command) {
    switch (command) {
    case PlayerCommand::Open:
        return "Open";
    case PlayerCommand::Play:
        return "Play";
    case PlayerCommand::Prev:
        return "Prev";
    case PlayerCommand::Close:
        return "Close";
    }
    return {};
}

void MultimediaPlayer::Command(std::string_view command) {
    for (PlayerCommand known : kCommands) {
        if (commandText(known) == command) {
            perform(known);
            return;
        }
    }
    throw PlayerError("unknown command \"" + std::string(command) + "\"");
}

} // namespace korvo
