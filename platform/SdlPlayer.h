#pragma once

#include "MultimediaPlayer.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

struct _Mix_Music;

namespace korvo {

// The program's one sound and music player: an SDL_mixer music stream that plays wave files and
// MIDI files (through FluidSynth and the General MIDI sound font). Without a sound device it
// plays into SDL's dummy driver, which consumes the sound in real time, so Mode still turns at
// a file's end. Audio starts at the first "Open".
class SdlPlayer : public MultimediaPlayer {
public:
    SdlPlayer() = default;
    ~SdlPlayer() override;
    SdlPlayer(const SdlPlayer&) = delete;
    SdlPlayer& operator=(const SdlPlayer&) = delete;

    std::string FileName() const override { return m_fileName; }
    void SetFileName(const std::string& path) override { m_fileName = path; }
    int Mode() const override;
    void Command(const std::string& command) override;

private:
    void openAudio();
    void open();
    void play();
    void close();

    std::string m_fileName;
    bool m_audioOpen = false;
    _Mix_Music* m_music = nullptr;
    // FluidSynth keeps a MIDI stream "playing" for seconds of reverb after the last note, so a
    // MIDI file's own length, timed from Play, decides when it has ended.
    std::optional<double> m_length;
    std::chrono::steady_clock::time_point m_started;
};

// The playing time in seconds of a Standard MIDI File up to its last event, following its
// tempo changes; nothing when the data is no MIDI file.
std::optional<double> midiFileSeconds(std::string_view data);

} // namespace korvo
