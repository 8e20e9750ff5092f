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
            m_player.Command("Prev");
            m_player.Command("Play");
            return;
        }
        if (m_player.Mode() == MultimediaPlayer::kModePlaying && !force) {
            return;
        }
        m_player.SetFileName(path);
        m_player.Command("Close");
        m_player.Command("Open");
        m_player.Command("Play");
    } catch (const MultimediaPlayer::PlayerError&) {
        // A missing file or an absent sound device leaves the game silent, never stopped.
    }
}

bool SoundBoard::IsPlaying() const {
    return m_player.Mode() == MultimediaPlayer::kModePlaying;
}

} // namespace korvo
