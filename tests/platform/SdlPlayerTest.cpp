#include "SdlPlayer.h"

#include <QTemporaryDir>
#include <QTest>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

using korvo::MultimediaPlayer;
using korvo::PlayerMode;
using korvo::SdlPlayer;

namespace {

using Bytes = std::vector<std::uint8_t>;

void putLittle(Bytes& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

std::string text(const Bytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

void write(const std::string& path, const std::string& data) {
    std::ofstream(path, std::ios::binary) << data;
}

// A square wave, 8 kHz, 8-bit mono.
std::string wave(double seconds) {
    const auto samples = static_cast<std::uint32_t>(seconds * 8000);
    Bytes out{'R', 'I', 'F', 'F'};
    putLittle(out, 36 + samples, 4);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    putLittle(out, 16, 4);
    putLittle(out, 1, 2);    // PCM
    putLittle(out, 1, 2);    // mono
    putLittle(out, 8000, 4); // samples a second
    putLittle(out, 8000, 4); // bytes a second
    putLittle(out, 1, 2);
    putLittle(out, 8, 2);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    putLittle(out, samples, 4);
    for (std::uint32_t i = 0; i < samples; ++i) {
        out.push_back(i / 10 % 2 ? 168 : 88);
    }
    return text(out);
}

// A one-track MIDI file of the given track events (without the end of track).
std::string midi(const Bytes& events, std::uint16_t division = 480) {
    Bytes track = events;
    track.insert(track.end(), {0x00, 0xff, 0x2f, 0x00});
    Bytes out{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1};
    out.insert(out.end(), {static_cast<std::uint8_t>(division >> 8),
                           static_cast<std::uint8_t>(division & 0xff), 'M', 'T', 'r', 'k', 0, 0,
                           static_cast<std::uint8_t>(track.size() >> 8),
                           static_cast<std::uint8_t>(track.size() & 0xff)});
    out.insert(out.end(), track.begin(), track.end());
    return text(out);
}

void openAndPlay(SdlPlayer& player, const std::string& path) {
    player.SetFileName(path);
    player.Command("Close");
    player.Command("Open");
    player.Command("Play");
}

} // namespace

class SdlPlayerTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::string path(const char* name) const { return m_dir.filePath(name).toStdString(); }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void commandsThatCannotBeCarriedOutThrowAndLeaveItSilent() {
        SdlPlayer player;
        QCOMPARE(player.mode(), PlayerMode::NotOpen);
        player.Command("Close"); // closing a closed player is harmless
        QVERIFY_THROWS_EXCEPTION(MultimediaPlayer::PlayerError, player.Command("Play"));
        QVERIFY_THROWS_EXCEPTION(MultimediaPlayer::PlayerError, player.Command("Prev"));

        write(path("long.wav"), wave(5));
        openAndPlay(player, path("long.wav"));
        QCOMPARE(player.Mode(), 526);
        QVERIFY_THROWS_EXCEPTION(MultimediaPlayer::PlayerError, player.Command("Pause"));

        // Closing and then opening something that is no sound file is how the game stops music.
        for (const std::string& bad : {path("missing.wav"), m_dir.path().toStdString()}) {
            QVERIFY_THROWS_EXCEPTION(MultimediaPlayer::PlayerError, openAndPlay(player, bad));
            QCOMPARE(player.FileName(), bad);
            QVERIFY(player.mode() != PlayerMode::Playing);
            QVERIFY_THROWS_EXCEPTION(MultimediaPlayer::PlayerError, player.Command("Play"));
        }
    }

    void waveTurnsFromPlayingAtItsEndByItself() {
        SdlPlayer player;
        write(path("short.wav"), wave(0.3));
        openAndPlay(player, path("short.wav"));
        QCOMPARE(player.FileName(), path("short.wav"));
        QCOMPARE(player.mode(), PlayerMode::Playing);
        QTRY_VERIFY_WITH_TIMEOUT(player.mode() != PlayerMode::Playing, 5000);

        player.Command("Play"); // plays again after its end
        QCOMPARE(player.mode(), PlayerMode::Playing);
    }

    void preparedFileOpensAtOnceAndPlaysWhenLoaded() {
        write(path("first.wav"), wave(0.3));
        SdlPlayer player;
        player.Prepare(path("first.wav"));
        openAndPlay(player, path("first.wav"));
        QCOMPARE(player.mode(), PlayerMode::Playing); // counts as playing from "Play" on
        QTRY_VERIFY_WITH_TIMEOUT(player.mode() != PlayerMode::Playing, 5000);
        QCOMPARE(player.mode(), PlayerMode::Stopped); // it was loaded and played to its end

        // Closed before it was loaded, it never starts, and another file opens without it.
        SdlPlayer closed;
        closed.Prepare(path("first.wav"));
        openAndPlay(closed, path("first.wav"));
        closed.Command("Close");
        QCOMPARE(closed.mode(), PlayerMode::NotOpen);
        write(path("second.wav"), wave(0.3));
        openAndPlay(closed, path("second.wav"));
        QCOMPARE(closed.mode(), PlayerMode::Playing);
        QTest::qWait(100); // the worker's news arrives
        QCOMPARE(closed.FileName(), path("second.wav"));
        QTRY_VERIFY_WITH_TIMEOUT(closed.mode() == PlayerMode::Stopped, 5000);
    }

    void prevThenPlayRestartsAPlayingSound() {
        SdlPlayer player;
        write(path("two.wav"), wave(2));
        openAndPlay(player, path("two.wav"));
        QTest::qWait(1000);
        player.Command("Prev");
        player.Command("Play");
        QTest::qWait(1500); // the first start's end has passed
        QCOMPARE(player.mode(), PlayerMode::Playing);
        QTRY_VERIFY_WITH_TIMEOUT(player.mode() != PlayerMode::Playing, 5000);
    }

    void midiStopsPlayingWithItsLastNote() {
        SdlPlayer player;
        // 60 beats a minute; a note of half a beat.
        write(path("note.mid"), midi({0x00, 0xff, 0x51, 0x03, 0x0f, 0x42, 0x40, // tempo
                                      0x00, 0x90, 60, 100, 0x81, 0x70, 0x80, 60, 0}));
        openAndPlay(player, path("note.mid"));
        QCOMPARE(player.mode(), PlayerMode::Playing);
        QTest::qWait(1000); // the synthesiser's reverb would ring for seconds more
        QVERIFY(player.mode() != PlayerMode::Playing);

        player.Command("Prev");
        player.Command("Play");
        QCOMPARE(player.mode(), PlayerMode::Playing);
    }

    void midiFileSecondsFollowsTheTempoMap() {
        // One beat at 120, a tempo change to 60 on the second beat, half a beat more (the
        // last note off in running status): 0.5 s + 0.5 s.
        const Bytes events{0x00, 0x90, 60, 100, 0x83, 0x60, 0xff, 0x51, 0x03, 0x0f, 0x42, 0x40,
                           0x00, 0x90, 64, 100, 0x81, 0x70, 0x80, 60,   0,    0x00, 64,   0};
        QCOMPARE(korvo::midiFileSeconds(midi(events)).value_or(-1), 1.0);
        // 25 frames of 40 ticks a second: 1000 ticks.
        const Bytes smpte{0x00, 0x90, 60, 100, 0x87, 0x68, 0x80, 60, 0};
        QCOMPARE(korvo::midiFileSeconds(midi(smpte, 0xe728)).value_or(-1), 1.0);

        QVERIFY(!korvo::midiFileSeconds(wave(1)));
        QVERIFY(!korvo::midiFileSeconds(midi(events).substr(0, 30)));
        QVERIFY(!korvo::midiFileSeconds(midi({0x00, 60, 100})));
    }
};

QTEST_GUILESS_MAIN(SdlPlayerTest)
#include "SdlPlayerTest.moc"
