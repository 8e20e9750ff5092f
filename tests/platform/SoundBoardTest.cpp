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

    void newSoundOpensAndTheSameRestartsEvenWhilePlaying() {
        m_sound.PlaySound("pop.wav", false);
        QCOMPARE(m_player.fileName, korvo::dataPath("pop.wav"));
        m_sound.PlaySound("pop.wav", false);
        QCOMPARE(m_player.commands, (Commands{"Close", "Open", "Play", "Prev", "Play"}));
    }

    void silentPlaysNothing() {
        m_sound.Silent = true;
        m_sound.PlaySound("crash.wav", true);
        QVERIFY(m_player.commands.empty());
    }
};

QTEST_GUILESS_MAIN(SoundBoardTest)
#include "SoundBoardTest.moc"
