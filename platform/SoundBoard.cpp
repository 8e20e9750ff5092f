#include "SoundBoard.h"

#include "DataPath.h"

namespace korvo {

void SoundBoard::PlaySound(const std::string& name, bool force) {
    if (Silent) {
        return;
    }
    const std::string path = dataPath(name);
    try {
        if (m_player.FileName() == path) {
            m_player.perform(PlayerCommand::Prev);
            m_player.perform(PlayerCommand::Play);
            return;
        }
        if (m_player.mode() == PlayerMode::Playing && !force) {
            return;
        }
        m_player.SetFileName(path);
        m_player.perform(PlayerCommand::Close);
        m_player.perform(PlayerCommand::Open);
        m_player.perform(PlayerCommand::Play);
    } catch (const MultimediaPlayer::PlayerError&) {
        // A missing file or an absent sound device leaves the game silent, never stopped.
    }
}

bool SoundBoard::IsPlaying() const {
    return m_player.mode() == PlayerMode::Playing;
}

} // namespace korvo
