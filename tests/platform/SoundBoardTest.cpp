#include "SoundBoard.h"
#include "DataPath.h"
#include "PlatformFakes.h"

#include <QTest>

using Commands = std::vector<std::string>;

class SoundBoardTest : public QObject {
    Q_OBJECT

    fakes::FakePlayer m_player;
    korvo::SoundBoard m_sound{m_player};

private slots:
    void init() {
        m_player = {};
        m_sound.Silent = false;
    }

    void newSoundClosesOpensAndPlays() {
        m_sound.PlaySound("pop.wav", false);
        QCOMPARE(m_player.fileName, korvo::dataPath("pop.wav"));
        QCOMPARE(m_player.commands, (Commands{"Close", "Open", "Play"}));
    }

    void sameSoundRestartsEvenWhilePlaying() {
        m_sound.PlaySound("pop.wav", false);
        m_player.commands.clear();
        m_sound.PlaySound("pop.wav", false);
        QCOMPARE(m_player.commands, (Commands{"Prev", "Play"}));
    }

    void unforcedSoundWaitsForWhatPlaysAForcedOneCutsItOff() {
        m_sound.PlaySound("anthem1.mid", true);
        m_player.commands.clear();
        m_sound.PlaySound("beep.wav", false);
        QVERIFY(m_player.commands.empty());
        QCOMPARE(m_player.fileName, korvo::dataPath("anthem1.mid"));
        m_sound.PlaySound("gunshot.wav", true);
        QCOMPARE(m_player.commands, (Commands{"Close", "Open", "Play"}));
        m_player.playerMode = korvo::PlayerMode::Stopped; // the shot has ended
        m_sound.PlaySound("beep.wav", false);
        QCOMPARE(m_player.fileName, korvo::dataPath("beep.wav"));
    }

    void emptyNameStopsEverythingAndFailuresStaySilent() {
        m_sound.PlaySound("anthem1.mid", true);
        m_player.failOpen = true; // opening the data folder as a sound fails
        m_sound.PlaySound("", true);
        QVERIFY(!m_player.open);
        QVERIFY(!m_sound.IsPlaying());
        m_sound.PlaySound("", true); // the same failing name again: Prev on a closed player
        QVERIFY(!m_sound.IsPlaying());
    }

    void silentPlaysNothing() {
        m_sound.Silent = true;
        m_sound.PlaySound("crash.wav", true);
        QVERIFY(m_player.commands.empty());
    }
};

QTEST_GUILESS_MAIN(SoundBoardTest)
#include "SoundBoardTest.moc"
