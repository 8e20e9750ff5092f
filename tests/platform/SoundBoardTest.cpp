#include "SoundBoard.h"
#include "DataPath.h"
#include "PlatformFakes.h"

#include <QTest>

using Commands = std::vector<std::string>;

class SoundBoardTest : public QObject {
    Q_OBJECT

    fakes::FakePlayer player;
    korvo::SoundBoard sound{player};

private slots:
    void init() {
        player = {};
        sound.Silent = false;
    }

    void newSoundClosesOpensAndPlays() {
        sound.PlaySound("pop.wav", false);
        QCOMPARE(player.fileName, korvo::dataPath("pop.wav"));
        QCOMPARE(player.commands, (Commands{"Close", "Open", "Play"}));
    }

    void sameSoundRestartsEvenWhilePlaying() {
        sound.PlaySound("pop.wav", false);
        player.commands.clear();
        sound.PlaySound("pop.wav", false);
        QCOMPARE(player.commands, (Commands{"Prev", "Play"}));
    }

    void unforcedSoundWaitsForWhatPlaysAForcedOneCutsItOff() {
        sound.PlaySound("anthem1.mid", true);
        player.commands.clear();
        sound.PlaySound("beep.wav", false);
        QVERIFY(player.commands.empty());
        QCOMPARE(player.fileName, korvo::dataPath("anthem1.mid"));
        sound.PlaySound("gunshot.wav", true);
        QCOMPARE(player.commands, (Commands{"Close", "Open", "Play"}));
        player.playerMode = korvo::PlayerMode::Stopped; // the shot has ended
        sound.PlaySound("beep.wav", false);
        QCOMPARE(player.fileName, korvo::dataPath("beep.wav"));
    }

    void emptyNameStopsEverythingAndFailuresStaySilent() {
        sound.PlaySound("anthem1.mid", true);
        player.failOpen = true; // opening the data folder as a sound fails
        sound.PlaySound("", true);
        QVERIFY(!player.open);
        QVERIFY(!sound.IsPlaying());
        sound.PlaySound("", true); // the same failing name again: Prev on a closed player
        QVERIFY(!sound.IsPlaying());
    }

    void silentPlaysNothing() {
        sound.Silent = true;
        sound.PlaySound("crash.wav", true);
        QVERIFY(player.commands.empty());
    }
};

QTEST_GUILESS_MAIN(SoundBoardTest)
#include "SoundBoardTest.moc"
