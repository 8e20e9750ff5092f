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
    static constexpr int kRobotTop = 6200 - 900;
};

class ComeqsTest : public QObject {
    Q_OBJECT
private slots:
    // Whatever the draws, a new Comeq is 450 to 800 wide, square, rising, inside the field and
    // clear of the robot's head, its apex at or above it; on the third wave it drifts up to 120.
    void setUpPlacesTheComeqInsideTheField() {
        GameFixture f;
        f.startChallenge(1);
        f.state().Wave = 3;
        for (double r : {0.0, 0.3, 0.7, 1.0 - 1e-9}) {
            f.random.sequence = {r};
            f.game->SetUpComeq(1);
            const auto& ball = f.field().sh_Ball[1];
            const auto& comeq = f.state().Comeqs[0];
            QVERIFY(ball.Width >= 450 && ball.Width < 800 && ball.Height == ball.Width);
            QVERIFY(comeq.ApexTop >= 0 && comeq.ApexTop <= ball.Top);
            QVERIFY(ball.Top + ball.Height <= 6200 - 900);
            QVERIFY(ball.Left >= 0 && ball.Left + ball.Width <= 9510);
            QVERIFY(ball.Visible && comeq.Rising && ball.Caption == comeq.Answer);
            QVERIFY(std::abs(comeq.Dx) <= 120 && (r > 0 || comeq.Dx == -120));
        }
    }

    // One tick of a Comeq 600 high whose apex is at 1000: where it was, where it is after.
    void movesLikeABouncingBodyBetweenTheWalls_data() {
        for (const char* column :
             {"top", "rising", "left", "dx", "newTop", "nowRising", "newLeft"}) {
            QTest::addColumn<int>(column);
        }
        const auto row = [](const char* name, std::array<int, 7> v) {
            QTest::newRow(name) << v[0] << v[1] << v[2] << v[3] << v[4] << v[5] << v[6];
        };
        row("slowest at the apex: nearest(1.5)", {1000, 0, 3000, 0, 1002, 0, 3000});
        row("faster below: nearest(sqrt(3600) + 1.5)", {1600, 0, 3000, 0, 1662, 0, 3000});
        row("rising stops at the apex and turns", {1001, 1, 3000, 0, 1000, 0, 3000});
        row("lands exactly on the ground and turns", {5590, 0, 3000, 0, 5600, 1, 3000});
        row("drifts sideways", {2000, 0, 3000, -40, 2079, 0, 2960});
        row("turns at the left wall without moving", {2000, 0, 0, -40, 2079, 0, 0});
        row("turns at the right wall without moving", {2000, 0, 8880, 40, 2079, 0, 8880});
    }

    void movesLikeABouncingBodyBetweenTheWalls() {
        QFETCH(int, top);
        QFETCH(int, rising);
        QFETCH(int, left);
        QFETCH(int, dx);
        OneComeq f;
        f.ball().Top = top;
        f.ball().Left = left;
        f.comeq().Rising = rising != 0;
        f.comeq().Dx = dx;
        f.game->MoveComeqs();
        QTEST(f.ball().Top, "newTop");
        QTEST(int(f.comeq().Rising), "nowRising");
        QTEST(f.ball().Left, "newLeft");
        QCOMPARE(f.comeq().Dx, f.ball().Left == left + dx ? dx : -dx);
    }

    // The Comeq spans 3000..3600; the robot, 600 wide, is 100 narrower on either side.
    void hitsTheRobotOnlyInsideItsNarrowedBox_data() {
        QTest::addColumn<int>("robotLeft");
        QTest::addColumn<bool>("hit");
        QTest::newRow("left edge overlaps by the narrowing") << 3500 << false;
        QTest::newRow("left edge overlaps by one more") << 3499 << true;
        QTest::newRow("right edge overlaps by the narrowing") << 2500 << false;
        QTest::newRow("right edge overlaps by one more") << 2501 << true;
    }

    void hitsTheRobotOnlyInsideItsNarrowedBox() {
        QFETCH(int, robotLeft);
        QFETCH(bool, hit);
        OneComeq f;
        f.field().pb_Robot.Left = robotLeft;
        f.ball().Top = OneComeq::kRobotTop - 500; // its lower edge below the robot's top
        f.game->CheckRobotHit(1);
        QCOMPARE(!f.ball().Visible, hit); // a squash ends with the laughing Comeq gone
        QCOMPARE(f.messages.messages.empty(), !hit);
    }
};

QTEST_GUILESS_MAIN(ComeqsTest)
#include "ComeqsTest.moc"
