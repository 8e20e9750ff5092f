#include "GameFixture.h"

#include <QtTest>

// One Comeq on the field, set up by hand, far from the robot.
struct OneComeq : GameFixture {
    OneComeq() {
        state().ComeqCount = 1;
        state().Gravity = 3;
        field().pb_Robot.Left = 9000;
        field().pb_Robot.Top = kRobotTop;
        ball() = {3000, 1000, 600, 600, true, "3", {}, {}, {}};
        comeq() = {false, 1000, 0, "x = 3", "3"};
    }
    korvo::Control& ball() { return field().sh_Ball[1]; }
    zeltrix::ComeqState& comeq() { return state().Comeqs[0]; }
    void tick() { game->MoveComeqs(); }
    static constexpr int kRobotTop = 6200 - 900;
};

class ComeqsTest : public QObject {
    Q_OBJECT
private slots:
    void setUpDrawsSixNumbersInOrder();
    void fallsLikeABodyAndIsSlowestAtItsApex();
    void landsExactlyOnTheGroundWithAPopAndRisesAgain();
    void reversesAtTheWallsWithoutMovingSideways();
    void thirdWaveDriftsUpTo120PerTick();
    void hitsTheRobotOnlyInsideItsNarrowedBox();
    void bonusCountsDownTo100();
};

void ComeqsTest::setUpDrawsSixNumbersInOrder() {
    GameFixture f({0.0});
    f.startChallenge(1);
    f.random.sequence = {0.5, 0.99, 0.25, 0.5, 0.1, 1.0 - 1e-9, 0.35};
    f.random.draws = 0;
    f.state().Wave = 3;
    f.game->SetUpComeq(1);
    const auto& ball = f.field().sh_Ball[1];
    QCOMPARE(ball.Width, 625);
    QCOMPARE(ball.Height, 625);
    QCOMPARE(ball.BackColor, korvo::QBColor(15));
    const int apex = static_cast<int>(0.25 * (6200 - (2 * 900 + 625)));
    QCOMPARE(f.state().Comeqs[0].ApexTop, apex);
    QCOMPARE(ball.Top, static_cast<int>((6200 - (900 + 625) - apex) * 0.5) + apex);
    QCOMPARE(ball.Left, static_cast<int>(0.1 * (9510 - 625)));
    QCOMPARE(f.state().Comeqs[0].Dx, 120);
    QVERIFY(ball.Visible);
    QVERIFY(f.state().Comeqs[0].Rising);
    QCOMPARE(ball.Caption, f.state().Comeqs[0].Answer);
}

void ComeqsTest::fallsLikeABodyAndIsSlowestAtItsApex() {
    OneComeq f;
    f.tick(); // at the apex, falling: nearest(1.5) = 2
    QCOMPARE(f.ball().Top, 1002);
    f.ball().Top = 1000 + 600; // 600 below the apex: nearest(sqrt(3600) + 1.5) = 62
    f.tick();
    QCOMPARE(f.ball().Top, 1662);
    f.comeq().Rising = true; // rising at the apex is stopped there and turns
    f.ball().Top = 1001;
    f.tick();
    QCOMPARE(f.ball().Top, 1000);
    QVERIFY(!f.comeq().Rising);
    QCOMPARE(f.ball().Left, 3000); // Dx 0: only up and down
}

void ComeqsTest::landsExactlyOnTheGroundWithAPopAndRisesAgain() {
    OneComeq f;
    f.ball().Top = 6200 - 600 - 10;
    f.tick();
    QCOMPARE(f.ball().Top, 6200 - 600);
    QVERIFY(f.comeq().Rising);
    QCOMPARE(f.player.fileName, korvo::dataPath("pop.wav"));
    f.tick();
    QVERIFY(f.ball().Top < 6200 - 600);

    // A bounce while the shot still sounds stays silent.
    f.player.fileName = korvo::dataPath("gunshot.wav");
    f.player.playerMode = korvo::PlayerMode::Playing;
    f.player.commands.clear();
    f.ball().Top = 6200 - 600 - 10;
    f.comeq().Rising = false;
    f.tick();
    QVERIFY(f.player.commands.empty());
}

void ComeqsTest::reversesAtTheWallsWithoutMovingSideways() {
    OneComeq f;
    f.ball().Left = 0;
    f.comeq().Dx = -40;
    f.tick();
    QCOMPARE(f.ball().Left, 0);
    QCOMPARE(f.comeq().Dx, 40);
    f.tick();
    QCOMPARE(f.ball().Left, 40);

    f.ball().Left = 9510 - 600 - 30;
    f.tick();
    QCOMPARE(f.ball().Left, 9510 - 600 - 30);
    QCOMPARE(f.comeq().Dx, -40);
}

void ComeqsTest::thirdWaveDriftsUpTo120PerTick() {
    GameFixture f({0.0});
    f.startChallenge(1);
    f.state().Wave = 3;
    f.random.sequence = {0.5, 0.5, 0.5, 0.5, 0.5, 1.0 - 1e-9, 0.1};
    f.random.draws = 0;
    f.game->SetUpComeq(1);
    QCOMPARE(f.state().Comeqs[0].Dx, 120);
    f.random.sequence = {0.5, 0.5, 0.5, 0.5, 0.5, 0.0, 0.1};
    f.random.draws = 0;
    f.game->SetUpComeq(1);
    QCOMPARE(f.state().Comeqs[0].Dx, -120);
}

void ComeqsTest::hitsTheRobotOnlyInsideItsNarrowedBox() {
    OneComeq f;
    auto& robot = f.field().pb_Robot;
    robot.Left = 3000 + 600 - 100; // overlaps the Comeq by exactly the narrowing: no hit
    f.ball().Top = OneComeq::kRobotTop - 500;
    f.game->CheckRobotHit(1);
    QVERIFY(!f.state().Frozen || f.messages.messages.empty());
    QVERIFY(f.field().sh_Ball[1].Visible);

    robot.Left = 3000 + 600 - 101;
    f.game->CheckRobotHit(1);
    QVERIFY(!f.field().sh_Ball[1].Visible); // squashed: the laughing Comeq went away
    QCOMPARE(f.player.fileName, korvo::dataPath("crash.wav"));
}

void ComeqsTest::bonusCountsDownTo100() {
    OneComeq f;
    f.state().Bonus = 102;
    f.tick();
    f.tick();
    QCOMPARE(f.state().Bonus, 100);
    f.tick();
    QCOMPARE(f.state().Bonus, 100);
}

QTEST_GUILESS_MAIN(ComeqsTest)
#include "ComeqsTest.moc"
