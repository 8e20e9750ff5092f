#include "GameFixture.h"
#include "Numbers.h"

#include <QtTest>

namespace {
long livesShown(GameFixture& f) {
    return std::ranges::count(f.field().p_Life, true, &korvo::Control::Visible);
}
} // namespace

class LevelsTest : public QObject {
    Q_OBJECT
private slots:
    // Answers of the fixture's block b lie between 100 b + 1 and 100 b + 10.
    void challengeAndStageChooseTheQuestionBlock_data() {
        QTest::addColumn<int>("challenge");
        QTest::addColumn<int>("stage");
        QTest::addColumn<int>("block");
        QTest::newRow("challenge 1, stage 3") << 1 << 3 << 2;
        QTest::newRow("challenge 2, stage 1 shares it") << 2 << 1 << 2;
        QTest::newRow("challenge 3, stage 3") << 3 << 3 << 6;
    }

    void challengeAndStageChooseTheQuestionBlock() {
        QFETCH(int, challenge);
        QFETCH(int, stage);
        QFETCH(int, block);
        GameFixture f;
        f.startChallenge(challenge);
        f.state().Stage = stage;
        f.game->StartLevel();
        for (int i = 1; i <= 5; ++i) {
            QCOMPARE(static_cast<int>(korvo::wholeNumber(f.field().sh_Ball[i].Caption) / 100),
                     block);
        }
        QCOMPARE(f.field().lab_Question.Caption, f.state().Comeqs[0].Question);
    }

    void clearingLevelNineEndsTheGameAndOffersTheHallOfFame() {
        GameFixture f;
        f.startChallenge(2);
        for (int shot = 0; shot < 9 * 5; ++shot) { // nine levels of five Comeqs
            f.shoot(f.rightComeq());
        }
        const auto& m = f.messages.messages;
        QCOMPARE(m.at(m.size() - 3), std::string("Level  9\nReady or Not!"));
        QCOMPARE(m.at(m.size() - 2), std::string("Mission Accomplished!\nCongratulations."));
        QCOMPARE(m.back(), std::string("Game Over"));
        const long long score = f.state().Score;
        QVERIFY(score > 5000);
        QCOMPARE(f.field().lab_Score.Caption, " " + std::to_string(score));
        QCOMPARE(f.hallOfFame.checked, (std::vector<std::optional<long long>>{score}));
        for (int i = 1; i <= 5; ++i) {
            QVERIFY(!f.field().sh_Ball[i].Visible);
        }
        QVERIFY(!f.state().Frozen); // the robot can still run after a completed game
    }

    void squashRestartsTheLevelKeepingTheScoreAndTheFourthEndsTheGame() {
        GameFixture f;
        f.startChallenge(1);
        for (int shot = 0; shot < 5 + 1; ++shot) { // the first level and one of the second
            f.shoot(f.rightComeq());
        }
        const std::string score = f.field().lab_Score.Caption;
        f.state().Bonus = 400;
        const int width = f.field().sh_Ball[1].Width;
        f.windows.onEvents = [&] { QVERIFY(f.field().sh_Ball[1].Width > width - 1); };
        f.game->SquashRobot(1);
        QCOMPARE(f.windows.events, 50);
        QVERIFY2(f.windows.eventMs >= 800 && f.windows.eventMs <= 1500, "a squash lasts a second");
        QCOMPARE(f.messages.messages.back(), std::string("Level  2\nReady or Not!"));
        QCOMPARE(f.state().Bonus, 1000);
        QCOMPARE(f.state().CurrentQuestion, 1);
        QCOMPARE(f.state().ComeqsLeft, 5);
        QCOMPARE(f.field().lab_Score.Caption, score);
        QCOMPARE(livesShown(f), 2L);

        f.windows.onEvents = nullptr;
        f.game->SquashRobot(1);
        f.game->SquashRobot(1);
        QCOMPARE(livesShown(f), 0L);
        QVERIFY(!f.state().Frozen); // play goes on with no spare life
        f.game->SquashRobot(1);
        QCOMPARE(f.messages.messages.back(), std::string("Game Over"));
        QVERIFY(f.state().Frozen);
        QCOMPARE(f.field().pb_Robot.Picture, korvo::dataPath("robot squashed.gif"));
        QCOMPARE(f.hallOfFame.checked, (std::vector<std::optional<long long>>{f.state().Score}));
    }

    void tickDuringTheSquashDoesNotSquashAgain() {
        GameFixture f;
        f.startChallenge(1);
        // Every Comeq sits on the robot, so any tick that ran would squash again.
        for (int i = 1; i <= 5; ++i) {
            f.field().sh_Ball[i].Left = f.field().pb_Robot.Left;
            f.field().sh_Ball[i].Top = 6200 - f.field().sh_Ball[i].Height - 1;
        }
        f.windows.onEvents = [&] { f.game->t_Balls_Timer(); };
        f.game->t_Balls_Timer();
        const auto& m = f.messages.messages;
        QCOMPARE(std::count(m.begin(), m.end(), "Hahaha...\nScore one for the Comeqs!"), 1L);
        QCOMPARE(f.state().Lives, 2);
    }

    void newGameDuringTheSquashStartsAfresh() {
        GameFixture f;
        f.startChallenge(1);
        f.shoot(1);
        bool chosen = false;
        f.windows.onEvents = [&] {
            if (!chosen) {
                chosen = true;
                f.startChallenge(3);
            }
        };
        f.game->SquashRobot(1);
        QCOMPARE(f.state().Lives, 3);
        QCOMPARE(f.state().ChallengeBase, 4);
        QCOMPARE(f.field().lab_Score.Caption, std::string("0"));
        QVERIFY(!f.state().Frozen);
        QCOMPARE(f.messages.messages.back(), std::string("Level  1\nReady or Not!"));
    }
};

QTEST_GUILESS_MAIN(LevelsTest)
#include "LevelsTest.moc"
