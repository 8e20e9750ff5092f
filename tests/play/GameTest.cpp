#include "GameFixture.h"

#include <QtTest>

// The frame of the game window: its tick, timers, tips, placement and menu toggles.
class GameTest : public QObject {
    Q_OBJECT
private slots:
    void timersDoNothingWhileAnotherWindowIsActive();
    void fieldTipDependsOnWhetherAGameWasStarted();
    void maximisedWindowCentresTheField();
    void silentCheckMarkSilencesEverySound();
    void unloadSavesTheHallOfFame();
};

void GameTest::timersDoNothingWhileAnotherWindowIsActive() {
    GameFixture f({0.05, 0.25, 0.45, 0.65, 0.85, 0.15, 0.35, 0.55, 0.75, 0.95});
    f.startChallenge(1);
    f.game->FireLaser();
    const auto before = f.field().sh_Ball;
    f.windows.active = "frm_HiScores";
    f.game->t_Balls_Timer();
    f.game->t_Gun_Timer();
    for (int i = 1; i <= 5; ++i) {
        QCOMPARE(f.field().sh_Ball[i].Top, before[i].Top);
    }
    QVERIFY(f.field().ln_LazerBeam.Visible);
    QCOMPARE(f.state().Bonus, 1000);

    f.windows.active = "frm_Main";
    f.game->t_Balls_Timer();
    QCOMPARE(f.state().Bonus, 999);
    f.game->t_Gun_Timer();
    QVERIFY(!f.field().ln_LazerBeam.Visible);
}

void GameTest::fieldTipDependsOnWhetherAGameWasStarted() {
    GameFixture f({0.05, 0.25, 0.45, 0.65, 0.85, 0.15, 0.35, 0.55, 0.75, 0.95});
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

void GameTest::maximisedWindowCentresTheField() {
    GameFixture f;
    f.game->Form_Resize(true, 28800, 16200);
    QCOMPARE(f.field().pb_Screen.Top, (16200 - 6885) / 2 - 340);
    QCOMPARE(f.field().pb_Screen.Left, (28800 - 9525) / 2 - 50);
    f.game->Form_Resize(false, 28800, 16200);
    QCOMPARE(f.field().pb_Screen.Top, 0);
    QCOMPARE(f.field().pb_Screen.Left, 0);
}

void GameTest::silentCheckMarkSilencesEverySound() {
    GameFixture f;
    f.game->m_Silent_Click();
    QVERIFY(f.field().m_SilentChecked);
    f.game->PlaySound("gunshot.wav", true);
    QVERIFY(f.player.commands.empty());
    f.game->m_Silent_Click();
    f.game->PlaySound("gunshot.wav", true);
    QCOMPARE(f.player.commands, (std::vector<std::string>{"Close", "Open", "Play"}));
}

void GameTest::unloadSavesTheHallOfFame() {
    GameFixture f;
    QCOMPARE(f.hallOfFame.loads, 1);
    f.game->Form_Unload();
    QCOMPARE(f.hallOfFame.saves, 1);
}

QTEST_GUILESS_MAIN(GameTest)
#include "GameTest.moc"
