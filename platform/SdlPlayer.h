#pragma once

#include "MultimediaPlayer.h"

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

struct _Mix_Music; // NOLINT(bugprone-reserved-identifier): SDL_mixer's own name
class QObject;

namespace korvo {

// The program's one sound and music player: an SDL_mixer music stream that plays wave files and
// MIDI files (through FluidSynth and the General MIDI sound font). Without a sound device it
// plays into SDL's dummy driver, which consumes the sound in real time, so Mode still turns at
// a file's end. Audio starts at the first "Open", or earlier with Prepare.
class SdlPlayer : public MultimediaPlayer {
public:
    SdlPlayer();
    ~SdlPlayer() override;
    SdlPlayer(const SdlPlayer&) = delete;
    SdlPlayer& operator=(const SdlPlayer&) = delete;

    // Opening the sound device and loading a MIDI file's sound font take a good part of a
    // second. Prepare does both for this file on a worker thread that starts when the event
    // loop of the player's thread first runs, so that the program's first window shows before.
    // "Open" of this file then returns at once and "Play" starts it as soon as it is loaded
    // (Mode reads playing from the "Play" on); any other file's "Open" waits for the worker,
    // or opens at once when the worker has not started. Only a player that has not opened
    // anything yet prepares.
    void Prepare(const std::string& path);

    std::string FileName() const override { return m_fileName; }
    void SetFileName(const std::string& path) override { m_fileName = path; }
    PlayerMode mode() const override;
    void perform(PlayerCommand command) override;

private:
    struct Preparation;

    void startWorker();
    void openAudio();
    void open();
    void play();
    void close();
    // Waits for the worker, hands its music to an "Open" that is waiting for it (starting it if
    // "Play" came meanwhile) and frees it otherwise.
    void finishPreparation();

    std::string m_fileName;
    bool m_audioOpen = false;
    _Mix_Music* m_music = nullptr;
    // FluidSynth keeps a MIDI stream "playing" for seconds of reverb after the last note, so a
    // MIDI file's own length, timed from Play, decides when it has ended.
    std::optional<double> m_length;
    std::chrono::steady_clock::time_point m_started;

    std::unique_ptr<Preparation> m_preparation;
    std::thread m_worker;
    bool m_openedPrepared = false; // "Open" took the file that the worker still loads
    bool m_playWhenPrepared = false;
    std::unique_ptr<QObject> m_receiver; // the worker's "done", on the player's thread
};

// The playing time in seconds of a Standard MIDI File up to its last event, following its
// tempo changes; nothing when the data is no MIDI file.
std::optional<double> midiFileSeconds(std::string_view data);

} // namespace korvo
