#pragma once

#include "SoundBoard.h"

namespace launcher {

// The sounds of the game buttons, through the launcher's one player: a thud when the pointer
// comes onto a button, a click when the left mouse button goes down on one.
class ButtonSounds {
public:
    explicit ButtonSounds(korvo::SoundBoard& sound) : m_sound(sound) {}
    // Not forced: it does not cut into a sound that plays.
    void pointed() { m_sound.PlaySound("thud.wav", false); }
    void pressed() { m_sound.PlaySound("click.wav", true); }

private:
    korvo::SoundBoard& m_sound;
};

} // namespace launcher
