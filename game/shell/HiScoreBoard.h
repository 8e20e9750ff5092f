#pragma once

#include "HiScores.h"
#include "Services.h"
#include "SoundBoard.h"
#include "SpritePlayer.h"

namespace zeltrix {

// The game's hall of fame: the table for the whole run, its file "hiscores.txt" in the data
// folder, and the window that shows it. The sprite player should be one of its own: the window
// points it at its robot while open and leaves it without a target.
class HiScoreBoard : public HallOfFame {
public:
    HiScoreBoard(korvo::SoundBoard& sound, korvo::SpritePlayer& sprite)
        : m_sound(sound), m_sprite(sprite) {}

    void LoadHiScores() override;
    // Gives up silently when the file cannot be written; the old file then stays as it was.
    void SaveHiScores() override;
    long long Score(int index) const override;
    // No score only shows the table; a score that beats an entry is inserted and its name asked
    // for. Returns when the window has been closed.
    void CheckHiScore(std::optional<long long> score) override;

    const HiScores& table() const { return m_table; }

private:
    korvo::SoundBoard& m_sound;
    korvo::SpritePlayer& m_sprite;
    HiScores m_table;
};

} // namespace zeltrix
