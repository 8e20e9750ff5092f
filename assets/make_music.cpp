// Composes the game's anthem and the launcher's start-up tune and writes them as Standard MIDI
// Files (format 1).
// Usage: make_music OUTPUT_FOLDER NAME...   (anthem1.mid, intro1.mid)

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace korvo {
namespace {

constexpr long kBeat = 480; // ticks per quarter note
constexpr long kBar = 4 * kBeat;
constexpr int kDrums = 9; // General MIDI percussion channel (channel 10)

// The tune, in a bar's worth of notes at a time: name and octave (or r for a rest), then the
// length in beats. Bar lines are only there for the reader.
const char* const kIntro = "G4:.75 G4:.25 C5:1 E5:2 | D5:.75 D5:.25 G5:1.5 r:1.5";
const char* const kVerse = "G4:.75 G4:.25 C5:1 E5:1 G5:1 | A5:1.5 G5:.5 F5:1 C5:1 |"
                           "D5:.75 D5:.25 G5:1 F5:.5 E5:.5 D5:1 | E5:2 C5:1 G4:1 |"
                           "A4:.75 B4:.25 C5:1 E5:1 A5:1 | A5:.5 G5:.5 F5:1 A5:1 C6:1 |"
                           "B5:1.5 A5:.5 G5:1 D5:1 | G5:1 F5:1 D5:1 B4:1";
const char* const kBridge = "C5:1 F5:1 A5:1.5 G5:.5 | G5:1 E5:.5 C5:.5 G5:2 |"
                            "F5:1 D5:.5 F5:.5 A5:1 F5:1 | G5:1.5 F5:.5 E5:1 D5:1 |"
                            "C5:.5 D5:.5 F5:1 A5:1 C6:1 | C6:1.5 B5:.5 A5:1 E5:1 |"
                            "F#5:1 A5:1 D6:1 C6:1 | B5:2 G5:.333 A5:.333 B5:.334 D6:1";
const char* const kFinale = "G5:.75 G5:.25 C6:1 G5:1 E5:1 | F5:.75 G5:.25 A5:1 C6:1 A5:1 |"
                            "D5:.75 D5:.25 G5:1 F5:.5 E5:.5 D5:1 | E5:2 C5:1 G4:1 |"
                            "A4:.75 B4:.25 C5:1 E5:1 A5:1 | A5:.5 G5:.5 F5:1 A5:1 C6:1 |"
                            "B5:1 D6:1 C6:1 B5:1 | G5:.5 A5:.5 B5:1 D6:1 B5:1 | C6:4";
const char* const kChords = "C G | C F G C Am F G G7 | F C Dm G F Am D7 G | C F G C Am F G G7 | C";

// Where the sections start, in bars.
constexpr int kVerseBar = 2;
constexpr int kBridgeBar = 10;
constexpr int kFinaleBar = 18;
constexpr int kLastBar = 26;

struct Note {
    long tick;
    long length;
    int key; // -1 for a rest
};

int KeyOf(const std::string& name) {
    static const std::map<char, int> steps{{'C', 0}, {'D', 2}, {'E', 4}, {'F', 5},
                                           {'G', 7}, {'A', 9}, {'B', 11}};
    int key = steps.at(name[0]);
    size_t next = 1;
    if (name[next] == '#') {
        ++key;
        ++next;
    }
    return key + 12 * (std::stoi(name.substr(next)) + 1);
}

// Splits a line of music into its words, leaving out the bar lines.
std::vector<std::string> Words(std::string text) {
    std::replace(text.begin(), text.end(), '|', ' ');
    std::istringstream stream(text);
    std::vector<std::string> words;
    for (std::string word; stream >> word;) {
        words.push_back(word);
    }
    return words;
}

std::vector<Note> Tune(const std::string& text, int startBar) {
    std::vector<Note> notes;
    double beats = 0;
    for (const std::string& word : Words(text)) {
        const size_t colon = word.find(':');
        const double length = std::stod(word.substr(colon + 1));
        const long tick = startBar * kBar + std::lround(beats * kBeat);
        beats += length;
        const long end = startBar * kBar + std::lround(beats * kBeat);
        notes.push_back({tick, end - tick, word[0] == 'r' ? -1 : KeyOf(word.substr(0, colon))});
    }
    return notes;
}

struct Chord {
    int root; // pitch class
    std::vector<int> tones;
};

std::vector<Chord> Chords() {
    std::vector<Chord> chords;
    for (const std::string& word : Words(kChords)) {
        const int root = KeyOf(word.substr(0, 1) + "0") - 12;
        const bool minor = word.find('m') != std::string::npos;
        Chord chord{root, {0, minor ? 3 : 4, 7}};
        if (word.back() == '7') {
            chord.tones.push_back(10);
        }
        chords.push_back(chord);
    }
    return chords;
}

// The note of a chord tone nearest above a floor.
int Above(int pitchClass, int floor) {
    return floor + ((pitchClass - floor) % 12 + 12) % 12;
}

// A third below a note of the C major scale (a minor third below anything else).
int ThirdBelow(int key) {
    static const std::vector<int> scale{0, 2, 4, 5, 7, 9, 11};
    const int octave = key / 12;
    const auto step = std::find(scale.begin(), scale.end(), key % 12);
    if (step == scale.end()) {
        return key - 3;
    }
    const long index = (step - scale.begin()) + 7 - 2;
    return 12 * octave + scale[size_t(index % 7)] - (index < 7 ? 12 : 0);
}

class Track {
public:
    explicit Track(const std::string& name) { Meta(0, 0x03, name); }

    void Note(long tick, long length, int channel, int key, int velocity) {
        Add(tick + length, 0, {char(0x80 | channel), char(key), 0});
        Add(tick, 1, {char(0x90 | channel), char(key), char(std::clamp(velocity, 1, 127))});
    }
    void Instrument(int channel, int program, int volume, int pan) {
        Add(0, 1, {char(0xC0 | channel), char(program)});
        Add(0, 1, {char(0xB0 | channel), 7, char(volume)});
        Add(0, 1, {char(0xB0 | channel), 10, char(pan)});
        Add(0, 1, {char(0xB0 | channel), 91, 40}); // a little reverb
    }
    void Meta(long tick, int type, const std::string& data) {
        Add(tick, 0, std::string{char(0xFF), char(type), char(data.size())} + data);
    }
    void Tempo(long tick, int beatsPerMinute) {
        const long micros = 60000000L / beatsPerMinute;
        Meta(tick, 0x51, {char(micros >> 16), char((micros >> 8) & 0xff), char(micros & 0xff)});
    }

    std::string Chunk() const {
        std::vector<Event> events = m_events;
        std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
            return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
        });
        std::string body;
        long last = 0;
        for (const Event& event : events) {
            Number(body, event.tick - last);
            body += event.bytes;
            last = event.tick;
        }
        body += std::string("\x00\xFF\x2F\x00", 4); // end of track
        std::string chunk = "MTrk";
        for (int shift = 24; shift >= 0; shift -= 8) {
            chunk += char((body.size() >> shift) & 0xff);
        }
        return chunk + body;
    }

private:
    struct Event {
        long tick;
        int order; // note-offs before note-ons at the same moment
        std::string bytes;
    };
    void Add(long tick, int order, std::string bytes) {
        m_events.push_back({tick, order, std::move(bytes)});
    }
    // A variable-length quantity: seven bits a byte, high bit set on all but the last.
    static void Number(std::string& out, long value) {
        std::string bytes(1, char(value & 0x7f));
        while ((value >>= 7) > 0) {
            bytes.insert(bytes.begin(), char(0x80 | (value & 0x7f)));
        }
        out += bytes;
    }
    std::vector<Event> m_events;
};

void Melody(Track& track, const std::vector<Note>& tune) {
    track.Instrument(0, 56, 110, 64); // trumpet
    for (const auto& note : tune) {
        if (note.key >= 0) {
            const bool downbeat = note.tick % kBar == 0;
            track.Note(note.tick, note.length - 20, 0, note.key, downbeat ? 112 : 98);
        }
    }
}

// Horns: off-beat chords that drive the march, then a second voice a third under the tune.
void Horns(Track& track, const std::vector<Chord>& chords, const std::vector<Note>& tune) {
    track.Instrument(1, 60, 96, 40); // French horn
    for (int bar = kVerseBar; bar < kFinaleBar; ++bar) {
        const Chord& chord = chords[size_t(bar)];
        for (long beat : {1, 3}) {
            for (size_t tone = 1; tone < 3; ++tone) {
                track.Note(bar * kBar + beat * kBeat, kBeat / 2, 1,
                           Above(chord.root + chord.tones[tone], 60), 84);
            }
        }
    }
    for (const auto& note : tune) {
        if (note.key >= 0 && (note.tick < kVerseBar * kBar ||
                              (note.tick >= kFinaleBar * kBar && note.tick < kLastBar * kBar))) {
            track.Note(note.tick, note.length - 20, 1, ThirdBelow(note.key), 88);
        }
    }
    for (int key : {64, 67, 72}) {
        track.Note(kLastBar * kBar, kBar - 20, 1, key, 96);
    }
}

void Strings(Track& track, const std::vector<Chord>& chords) {
    track.Instrument(2, 48, 84, 88); // string ensemble
    for (size_t bar = 0; bar < chords.size(); ++bar) {
        for (int tone : chords[bar].tones) {
            track.Note(long(bar) * kBar, kBar - 10, 2, Above(chords[bar].root + tone, 53), 70);
        }
    }
}

void Bass(Track& track, const std::vector<Chord>& chords) {
    track.Instrument(3, 33, 110, 64); // electric bass
    for (size_t bar = 0; bar < chords.size(); ++bar) {
        const int root = Above(chords[bar].root, 28);
        const long start = long(bar) * kBar;
        if (int(bar) < kVerseBar || int(bar) == kLastBar) {
            // The fanfares are marked by long notes.
            track.Note(start, kBar - 60, 3, root, 110);
            continue;
        }
        const int pattern[] = {0, 0, 12, 0, 7, 0, 12, 7};
        for (int eighth = 0; eighth < 8; ++eighth) {
            track.Note(start + eighth * kBeat / 2, kBeat / 2 - 40, 3, root + pattern[eighth],
                       eighth % 2 ? 84 : 104);
        }
    }
}

void Drums(Track& track) {
    track.Instrument(kDrums, 0, 110, 64);
    enum {
        Kick = 36,
        Snare = 38,
        ClosedHat = 42,
        LowTom = 45,
        MidTom = 48,
        HighTom = 50,
        Crash = 49,
        Ride = 51
    };
    auto hit = [&](int bar, double beat, int key, int velocity) {
        track.Note(bar * kBar + std::lround(beat * kBeat), kBeat / 4, kDrums, key, velocity);
    };
    // The intro: two big hits, then a snare roll that swells into the tune.
    hit(0, 0, Crash, 110);
    hit(0, 0, Kick, 120);
    hit(0, 2, Kick, 110);
    hit(1, 0, Kick, 120);
    for (int i = 0; i < 8; ++i) {
        hit(1, 2 + i * 0.25, Snare, 50 + i * 9);
    }
    for (int bar = kVerseBar; bar < kLastBar; ++bar) {
        const bool sectionStart = bar == kVerseBar || bar == kBridgeBar || bar == kFinaleBar;
        const bool sectionEnd =
            bar + 1 == kBridgeBar || bar + 1 == kFinaleBar || bar + 1 == kLastBar;
        const bool phraseEnd = (bar - kVerseBar) % 4 == 3;
        if (sectionStart) {
            hit(bar, 0, Crash, 110);
        }
        hit(bar, 0, Kick, 115);
        hit(bar, 1, Snare, 100);
        hit(bar, 2, Kick, 108);
        hit(bar, 2.5, Kick, 90);
        const bool bridge = bar >= kBridgeBar && bar < kFinaleBar;
        for (int eighth = 0; eighth < 8; ++eighth) {
            if (sectionEnd && eighth >= 4) {
                break;
            }
            hit(bar, eighth * 0.5, bridge ? Ride : ClosedHat, eighth % 2 ? 58 : 76);
        }
        if (sectionEnd) {
            const int toms[] = {HighTom, HighTom, MidTom, MidTom, LowTom, LowTom, Snare, Snare};
            for (int i = 0; i < 8; ++i) {
                hit(bar, 2 + i * 0.25, toms[i], 80 + i * 5);
            }
        } else if (phraseEnd) {
            for (int i = 0; i < 4; ++i) {
                hit(bar, 3 + i * 0.25, Snare, 70 + i * 10);
            }
        } else {
            hit(bar, 3, Snare, 100);
        }
    }
    hit(kLastBar, 0, Crash, 120);
    hit(kLastBar, 0, Kick, 127);
    for (int i = 0; i < 12; ++i) {
        hit(kLastBar, 1 + i * 0.25, Snare, 40 + i * 6);
    }
    hit(kLastBar, 3.5, Crash, 120);
    hit(kLastBar, 3.5, Kick, 127);
}

// The launcher's start-up tune, as long as its logo: a coin rolls in on a rising arpeggio,
// the titles appear over a cadence, and a bright chord rings under the maker's name.
const char* const kIntroTune = "G4:.5 C5:.5 E5:.5 G5:.5 C6:1 G5:.5 E5:.5 |"
                               "F5:.5 A5:.5 G5:.5 E5:.5 D5:.5 G5:.5 B5:.5 D6:.5 | C6:2";
constexpr int kIntroBars = 3;

std::string MidiFile(const std::vector<const Track*>& tracks) {
    std::string file("MThd\0\0\0\x06\0\x01\0", 11);
    file += char(tracks.size());
    file += char(kBeat >> 8);
    file += char(kBeat & 0xff);
    for (const Track* track : tracks) {
        file += track->Chunk();
    }
    return file;
}

std::string Anthem() {
    std::vector<Note> tune = Tune(kIntro, 0);
    for (const auto& [text, bar] :
         {std::pair{kVerse, kVerseBar}, {kBridge, kBridgeBar}, {kFinale, kFinaleBar}}) {
        const std::vector<Note> part = Tune(text, bar);
        tune.insert(tune.end(), part.begin(), part.end());
    }
    const std::vector<Chord> chords = Chords();
    if (chords.size() != size_t(kLastBar) + 1 ||
        tune.back().tick + tune.back().length != (kLastBar + 1) * kBar) {
        std::fprintf(stderr, "make_music: the tune and its chords do not fill the bars\n");
        return {};
    }

    Track conductor("Korvo's Anthem");
    conductor.Meta(0, 0x58, {4, 2, 24, 8}); // 4/4
    conductor.Tempo(0, 140);
    // The last two bars broaden into the final chord.
    conductor.Tempo((kLastBar - 1) * kBar, 126);
    conductor.Tempo(kLastBar * kBar, 100);
    Track melody("Trumpet");
    Melody(melody, tune);
    Track horns("Horns");
    Horns(horns, chords, tune);
    Track strings("Strings");
    Strings(strings, chords);
    Track bass("Bass");
    Bass(bass, chords);
    Track drums("Drums");
    Drums(drums);
    return MidiFile({&conductor, &melody, &horns, &strings, &bass, &drums});
}

std::string IntroTune() {
    const std::vector<Note> tune = Tune(kIntroTune, 0);
    if (tune.back().tick + tune.back().length != (kIntroBars - 1) * kBar + 2 * kBeat) {
        std::fprintf(stderr, "make_music: the start-up tune does not fill its bars\n");
        return {};
    }
    Track conductor("Korvo's Maths Games");
    conductor.Meta(0, 0x58, {4, 2, 24, 8}); // 4/4
    conductor.Tempo(0, 144);

    // Marimba, with a glockenspiel sparkling over it.
    Track melody("Marimba");
    melody.Instrument(0, 12, 118, 54);
    melody.Instrument(1, 9, 70, 80);
    for (const auto& note : tune) {
        const bool last = &note == &tune.back();
        melody.Note(note.tick, note.length - 20, 0, note.key, last ? 120 : 104);
        melody.Note(note.tick, note.length - 20, 1, note.key, last ? 96 : 64);
    }

    // Plucked strings on the off-beats, then the whole band on the last chord.
    Track strings("Strings");
    strings.Instrument(2, 45, 96, 40);
    strings.Instrument(3, 48, 84, 88);
    const std::vector<std::pair<double, std::vector<int>>> offBeats{
        {1, {64, 67, 72}}, {3, {64, 67, 72}}, {5, {65, 69, 72}}, {7, {65, 67, 71}}};
    for (const auto& [beat, keys] : offBeats) {
        for (int key : keys) {
            strings.Note(std::lround(beat * kBeat), kBeat / 2, 2, key, 84);
        }
    }
    for (int key : {60, 64, 67, 72}) {
        strings.Note(2 * kBar, 2 * kBeat - 20, 2, key, 96);
        strings.Note(2 * kBar, 2 * kBeat - 20, 3, key, 80);
    }

    Track bass("Bass");
    bass.Instrument(4, 32, 110, 64);
    const int line[] = {48, 43, 48, 43, 41, 48, 43, 50, 36};
    for (int beat = 0; beat < 9; ++beat) {
        bass.Note(beat * kBeat, (beat == 8 ? 2 * kBeat : kBeat) - 30, 4, line[beat],
                  beat % 2 ? 90 : 108);
    }

    Track drums("Drums");
    drums.Instrument(kDrums, 0, 100, 64);
    enum { Kick = 36, Snare = 38, ClosedHat = 42, Crash = 49, Triangle = 81 };
    auto hit = [&](double beat, int key, int velocity) {
        drums.Note(std::lround(beat * kBeat), kBeat / 4, kDrums, key, velocity);
    };
    for (int beat = 0; beat < 8; ++beat) {
        hit(beat, beat % 2 ? Snare : Kick, beat % 2 ? 84 : 100);
        hit(beat, ClosedHat, 64);
        hit(beat + 0.5, ClosedHat, 46);
    }
    for (int i = 0; i < 4; ++i) {
        hit(7 + i * 0.25, Snare, 56 + i * 12);
    }
    hit(8, Crash, 104);
    hit(8, Kick, 112);
    hit(8, Triangle, 90);
    return MidiFile({&conductor, &melody, &strings, &bass, &drums});
}

} // namespace
} // namespace korvo

int main(int argc, char** argv) {
    using namespace korvo;
    if (argc < 3) {
        std::fprintf(stderr, "usage: make_music OUTPUT_FOLDER NAME...\n");
        return 2;
    }
    const std::map<std::string, std::function<std::string()>> pieces{{"anthem1.mid", Anthem},
                                                                     {"intro1.mid", IntroTune}};
    const std::filesystem::path folder(argv[1]);
    std::filesystem::create_directories(folder);
    bool ok = true;
    for (int i = 2; i < argc; ++i) {
        const auto piece = pieces.find(argv[i]);
        if (piece == pieces.end()) {
            std::fprintf(stderr, "make_music: no piece is called %s\n", argv[i]);
            ok = false;
            continue;
        }
        const std::string file = piece->second();
        if (file.empty()) {
            ok = false;
            continue;
        }
        std::ofstream out(folder / argv[i], std::ios::binary);
        out.write(file.data(), std::streamsize(file.size()));
        if (!out) {
            std::fprintf(stderr, "make_music: cannot write %s\n", argv[i]);
            ok = false;
        }
    }
    return ok ? 0 : 1;
}
