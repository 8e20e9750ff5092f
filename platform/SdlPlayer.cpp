#include "SdlPlayer.h"

#define SDL_MAIN_HANDLED
#include <SDL.h>
#include <SDL_mixer.h>

#include <QObject>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>
#include <vector>

namespace korvo {

namespace {

// General MIDI sound fonts as Debian installs them, the one FluidSynth depends on first.
constexpr const char* kSoundFonts[] = {"/usr/share/sounds/sf2/TimGM6mb.sf2",
                                       "/usr/share/sounds/sf2/default-GM.sf2",
                                       "/usr/share/sounds/sf3/default-GM.sf3"};

[[noreturn]] void fail(const std::string& what) {
    throw MultimediaPlayer::PlayerError(what + ": " + SDL_GetError());
}

bool startAudio() {
    // SDL would turn SIGTERM into a quit event that nobody reads: leave signals to the program.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        return false;
    }
    if (Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, 2048) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    return true;
}

// Loads a wave or MIDI file; a MIDI file's length comes from its events.
Mix_Music* loadMusic(const std::string& path, std::optional<double>& length) {
    Mix_Music* music = Mix_LoadMUS(path.c_str());
    if (music == nullptr) {
        fail("cannot open \"" + path + "\"");
    }
    length.reset();
    if (Mix_GetMusicType(music) == MUS_MID) {
        std::ifstream in(path, std::ios::binary);
        length = midiFileSeconds(
            std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
    }
    return music;
}

// Reads the big-endian numbers and variable-length quantities of a MIDI file; running past the
// end throws Truncated.
class MidiReader {
public:
    struct Truncated {};

    explicit MidiReader(std::string_view data) : m_data(data) {}

    bool atEnd() const { return m_data.empty(); }
    std::string_view take(std::size_t n) {
        if (n > m_data.size()) {
            throw Truncated{};
        }
        std::string_view part = m_data.substr(0, n);
        m_data.remove_prefix(n);
        return part;
    }
    std::uint8_t peek() const {
        if (m_data.empty()) {
            throw Truncated{};
        }
        return static_cast<std::uint8_t>(m_data.front());
    }
    std::uint32_t number(int bytes) {
        std::uint32_t value = 0;
        for (char c : take(bytes)) {
            value = value << 8 | static_cast<std::uint8_t>(c);
        }
        return value;
    }
    std::uint32_t varLength() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            std::uint32_t byte = number(1);
            value = value << 7 | (byte & 0x7f);
            if ((byte & 0x80) == 0) {
                break;
            }
        }
        return value;
    }

private:
    std::string_view m_data;
};

} // namespace

std::optional<double> midiFileSeconds(std::string_view data) {
    std::vector<std::pair<std::uint64_t, std::uint32_t>> tempos; // tick, microseconds a beat
    std::uint64_t endTick = 0;
    std::uint32_t division = 0;
    try {
        MidiReader file(data);
        if (file.take(4) != "MThd") {
            return std::nullopt;
        }
        MidiReader header(file.take(file.number(4)));
        header.take(4); // format and track count: every track counts alike
        division = header.number(2);
        while (!file.atEnd()) {
            std::string_view id = file.take(4);
            MidiReader track(file.take(file.number(4)));
            if (id != "MTrk") {
                continue;
            }
            std::uint64_t tick = 0;
            std::uint8_t running = 0;
            while (!track.atEnd()) {
                tick += track.varLength();
                std::uint8_t status = track.peek();
                if (status & 0x80) {
                    track.take(1);
                } else if (running != 0) {
                    status = running;
                } else {
                    return std::nullopt;
                }
                if (status == 0xff) {
                    std::uint32_t type = track.number(1);
                    MidiReader meta(track.take(track.varLength()));
                    if (type == 0x51) {
                        tempos.emplace_back(tick, meta.number(3));
                    }
                    running = 0;
                } else if (status == 0xf0 || status == 0xf7) {
                    track.take(track.varLength());
                    running = 0;
                } else {
                    std::uint8_t kind = status & 0xf0;
                    track.take(kind == 0xc0 || kind == 0xd0 ? 1 : 2);
                    running = status;
                }
                endTick = std::max(endTick, tick);
            }
        }
    } catch (const MidiReader::Truncated&) {
        return std::nullopt;
    }
    if (division & 0x8000) { // frames a second and ticks a frame
        double frames = -static_cast<std::int8_t>(division >> 8);
        double ticksPerSecond = (frames == 29 ? 29.97 : frames) * (division & 0xff);
        return ticksPerSecond > 0 ? std::optional(static_cast<double>(endTick) / ticksPerSecond)
                                  : std::nullopt;
    }
    if (division == 0) {
        return std::nullopt;
    }
    std::stable_sort(tempos.begin(), tempos.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    double microseconds = 0;
    std::uint64_t tick = 0;
    std::uint32_t tempo = 500000; // 120 beats a minute until the file says otherwise
    for (const auto& [at, value] : tempos) {
        if (at >= endTick) {
            break;
        }
        microseconds += static_cast<double>(at - tick) * tempo / division;
        tick = at;
        tempo = value;
    }
    microseconds += static_cast<double>(endTick - tick) * tempo / division;
    return microseconds / 1e6;
}

struct SdlPlayer::Preparation {
    std::string path;
    Mix_Music* music = nullptr;
    std::optional<double> length;
};

SdlPlayer::SdlPlayer() : m_receiver(std::make_unique<QObject>()) {}

SdlPlayer::~SdlPlayer() {
    close();
    finishPreparation();
    if (m_audioOpen) {
        Mix_CloseAudio();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

void SdlPlayer::Prepare(const std::string& path) {
    if (m_audioOpen || m_music != nullptr || m_preparation) {
        return;
    }
    m_preparation = std::make_unique<Preparation>();
    m_preparation->path = path;
    // The worker starts with the event loop, once the first window is up: before, it would
    // take the processor from the window.
    QMetaObject::invokeMethod(
        m_receiver.get(),
        [this] {
            if (m_preparation && !m_worker.joinable()) {
                startWorker();
            }
        },
        Qt::QueuedConnection);
}

void SdlPlayer::startWorker() {
    // Until the worker is joined, only it touches SDL and the audio flag.
    m_worker = std::thread([this, preparation = m_preparation.get()] {
        try {
            openAudio();
            preparation->music = loadMusic(preparation->path, preparation->length);
        } catch (const PlayerError&) {
            // Nothing loaded: the "Open" of the file stays silent, as a failed one would.
        }
        // SDL keeps its error texts per thread and frees them only for threads of its own.
        SDL_TLSCleanup();
        QMetaObject::invokeMethod(
            m_receiver.get(), [this] { finishPreparation(); }, Qt::QueuedConnection);
    });
}

void SdlPlayer::finishPreparation() {
    if (!m_preparation) {
        return;
    }
    if (m_worker.joinable()) {
        m_worker.join();
    }
    const std::unique_ptr<Preparation> done = std::move(m_preparation);
    if (m_openedPrepared) {
        m_openedPrepared = false;
        m_music = std::exchange(done->music, nullptr);
        m_length = done->length;
        if (m_music != nullptr && m_playWhenPrepared) {
            try {
                play();
            } catch (const PlayerError&) {
                // As a "Play" that failed: silent.
            }
        }
    } else if (done->music != nullptr) {
        Mix_FreeMusic(done->music);
    }
    m_playWhenPrepared = false;
}

void SdlPlayer::openAudio() {
    if (m_audioOpen) {
        return;
    }
    if (!startAudio()) {
        // No usable sound device: play into nothing, in real time, so that the game keeps its
        // timing (the intro waits for the music's end).
        SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
        if (!startAudio()) {
            fail("no audio output");
        }
    }
    Mix_Init(MIX_INIT_MID);
    for (const char* font : kSoundFonts) {
        if (std::filesystem::is_regular_file(font)) {
            Mix_SetSoundFonts(font);
            break;
        }
    }
    m_audioOpen = true;
}

PlayerMode SdlPlayer::mode() const {
    if (m_openedPrepared) {
        return m_playWhenPrepared ? PlayerMode::Playing : PlayerMode::Stopped;
    }
    if (m_music == nullptr) {
        return PlayerMode::NotOpen;
    }
    if (Mix_PlayingMusic() == 0) {
        return PlayerMode::Stopped;
    }
    if (m_length) {
        std::chrono::duration<double> played = std::chrono::steady_clock::now() - m_started;
        if (played.count() >= *m_length) {
            return PlayerMode::Stopped;
        }
    }
    return PlayerMode::Playing;
}

void SdlPlayer::perform(PlayerCommand command) {
    if (command == PlayerCommand::Open) {
        open();
        return;
    }
    if (command == PlayerCommand::Close) {
        close();
        return;
    }
    if (m_openedPrepared) {
        // Still loading: it starts once loaded if the last word was "Play"; "Prev" keeps it at
        // its start.
        m_playWhenPrepared = command == PlayerCommand::Play;
        return;
    }
    if (m_music == nullptr) {
        throw PlayerError("\"" + std::string(commandText(command)) + "\" needs an open file");
    }
    if (command == PlayerCommand::Play) {
        play();
    } else {
        // Only the start is ever sought, so stopping is enough: the next Play begins there.
        Mix_HaltMusic();
    }
}

void SdlPlayer::open() {
    close();
    std::error_code error;
    if (!std::filesystem::is_regular_file(m_fileName, error)) {
        throw PlayerError("cannot open \"" + m_fileName + "\": no such file");
    }
    if (m_preparation && m_preparation->path == m_fileName) {
        m_openedPrepared = true;
        return;
    }
    finishPreparation();
    openAudio();
    m_music = loadMusic(m_fileName, m_length);
}

void SdlPlayer::play() {
    if (mode() == PlayerMode::Playing) {
        return;
    }
    if (Mix_PlayMusic(m_music, 1) != 0) {
        fail("cannot play \"" + m_fileName + "\"");
    }
    m_started = std::chrono::steady_clock::now();
}

void SdlPlayer::close() {
    m_openedPrepared = false;
    m_playWhenPrepared = false;
    if (m_music != nullptr) {
        Mix_HaltMusic();
        Mix_FreeMusic(m_music);
        m_music = nullptr;
    }
}

} // namespace korvo
