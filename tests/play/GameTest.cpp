#include "GameFixture.h"

#include <QtTest>

// The frame of the game window as the logic sees it: the tips of the field.
class GameTest : public QObject {
    Q_OBJECT
private slots:
    void fieldTipDependsOnWhetherAGameWasStarted();
};

void GameTest::fieldTipDependsOnWhetherAGameWasStarted() {
    GameFixture f;
    f.game->pb_Screen_Click();
    QCOMPARE(f.messages.messages.back(),
             std::string("Tip : To play a game, click on 'Game' and then 'New Game'."));
    f.startChallenge(1);
    f.game->GameOver();
    f.game->pb_Screen_Click();
    QCOMPARE(f.messages.messages.back(),
             std::string("Tip : Use the arrow keys on the keyboard to steer, and space bar to "
                         "shoot."));
}

QTEST_GUILESS_MAIN(GameTest)
#include "GameTest.moc"
