#include "SoundBoard.h"
#include "DataPath.h"
#include "PlatformFakes.h"

#include <QTest>

class SoundBoardTest : public QObject {
    Q_OBJECT

    fakes::FakePlayer m_player;
    korvo::SoundBoard m_sound{m_player};

private slots:
    void newSoundOpensTheSameRestartsEvenWhilePlayingAndSilentPlaysNothing() {
        m_sound.PlaySound("pop.wav", false);
        QCOMPARE(m_player.fileName, korvo::dataPath("pop.wav"));
        m_sound.PlaySound("pop.wav", false);
        const std::vector<std::string> played{"Close", "Open", "Play", "Prev", "Play"};
        QCOMPARE(m_player.commands, played);
        m_sound.Silent = true;
        m_sound.PlaySound("crash.wav", true);
        QCOMPARE(m_player.commands, played);
    }
};

QTEST_GUILESS_MAIN(SoundBoardTest)
#include "SoundBoardTest.moc"
