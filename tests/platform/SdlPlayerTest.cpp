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

std::string bytes(std::initializer_list<int> values) {
    return {values.begin(), values.end()};
}

// A number's low bytes, least significant first or last.
std::string little(std::uint32_t value, int width) {
    std::string out;
    for (int i = 0; i < width; ++i) {
        out += static_cast<char>(value >> (8 * i));
    }
    return out;
}
std::string big(std::uint32_t value, int width) {
    std::string out = little(value, width);
    return {out.rbegin(), out.rend()};
}

// A square wave, 8 kHz, 8-bit mono.
std::string wave(double seconds) {
    const auto samples = static_cast<std::uint32_t>(seconds * 8000);
    std::string out = "RIFF" + little(36 + samples, 4) + "WAVEfmt " + little(16, 4) + little(1, 2) +
                      little(1, 2) + little(8000, 4) + little(8000, 4) + little(1, 2) +
                      little(8, 2) + "data" + little(samples, 4);
    for (std::uint32_t i = 0; i < samples; ++i) {
        out += static_cast<char>(i / 10 % 2 ? 168 : 88);
    }
    return out;
}

// A one-track MIDI file of the given track events (without the end of track).
std::string midi(const std::string& events) {
    return "MThd" + big(6, 4) + big(0, 2) + big(1, 2) + big(480, 2) + "MTrk" +
           big(static_cast<std::uint32_t>(events.size() + 4), 4) + events +
           bytes({0x00, 0xff, 0x2f, 0x00});
}

void write(const std::string& path, const std::string& data) {
    std::ofstream(path, std::ios::binary) << data;
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

    void preparedFileOpensAtOnceAndPlaysWhenLoaded() {
        write(path("first.wav"), wave(0.3));
        SdlPlayer player;
        player.Prepare(path("first.wav"));
        openAndPlay(player, path("first.wav"));
        QCOMPARE(player.mode(), PlayerMode::Playing); // counts as playing from "Play" on
        QTRY_VERIFY_WITH_TIMEOUT(player.mode() != PlayerMode::Playing, 5000);
        QCOMPARE(player.mode(), PlayerMode::Stopped); // it was loaded and played to its end
        player.Command("Play");                       // and plays again after its end
        QCOMPARE(player.mode(), PlayerMode::Playing);

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

    void midiStopsPlayingWithItsLastNote() {
        SdlPlayer player;
        // 60 beats a minute; a note of half a beat.
        write(path("note.mid"), midi(bytes({0x00, 0xff, 0x51, 0x03, 0x0f, 0x42, 0x40, // tempo
                                            0x00, 0x90, 60, 100, 0x81, 0x70, 0x80, 60, 0})));
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
        const std::string events =
            bytes({0x00, 0x90, 60, 100, 0x83, 0x60, 0xff, 0x51, 0x03, 0x0f, 0x42, 0x40,
                   0x00, 0x90, 64, 100, 0x81, 0x70, 0x80, 60,   0,    0x00, 64,   0});
        QCOMPARE(korvo::midiFileSeconds(midi(events)).value_or(-1), 1.0);
    }
};

QTEST_GUILESS_MAIN(SdlPlayerTest)
#include "SdlPlayerTest.moc"
