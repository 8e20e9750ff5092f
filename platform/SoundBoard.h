#pragma once

#include "MultimediaPlayer.h"

#include <string>

namespace korvo {

// Plays data files through the program's one player: a forced sound cuts off whatever plays,
// an unforced one is skipped while something plays, the same file restarts from its start.
// PlaySound("", true) stops everything. Player failures never reach the caller.
class SoundBoard {
public:
    explicit SoundBoard(MultimediaPlayer& player) : m_player(player) {}

    void PlaySound(const std::string& name, bool force);
    bool IsPlaying() const;

    bool Silent = false;

private:
    MultimediaPlayer& m_player;
};

} // namespace korvo
