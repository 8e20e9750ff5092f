#include "GameFixture.h"

#include <QtTest>

using zeltrix::kKeyLeft;
using zeltrix::kKeyRight;
using zeltrix::kKeySpace;

class RobotTest : public QObject {
    Q_OBJECT
private slots:
    void keysFollowTheStateTable() {
        GameFixture f;
        for (int key : {kKeyLeft, kKeyRight, kKeySpace}) { // before a game: frozen
            f.game->pb_Robot_KeyDown(key);
            f.game->pb_Robot_KeyUp(key);
        }
        QVERIFY(f.sprite.plays == 0 && !f.field().ln_LazerBeam.Visible &&
                f.player.commands.empty());
        f.startChallenge(1);
        auto& s = f.state();
        QCOMPARE(s.RobotState, zeltrix::RobotMotion::None);
        QCOMPARE(f.sprite.target, &f.field().pb_Robot);
        QCOMPARE(f.sprite.rightLimit, 9510);

        f.field().pb_Robot.Left = 4321;
        f.game->pb_Robot_KeyDown(kKeyLeft);
        QCOMPARE(s.RobotState, zeltrix::RobotMotion::Left);
        QVERIFY(f.sprite.playing);
        QCOMPARE(f.sprite.left, 4321);
        QCOMPARE(f.sprite.fileName, korvo::dataPath("robot run left.spr"));

        f.game->pb_Robot_KeyDown(kKeySpace); // firing stops the run, facing left
        QCOMPARE(s.RobotState, zeltrix::RobotMotion::NoneLeft);
        QVERIFY(!f.sprite.playing);
        QCOMPARE(f.field().pb_Robot.Picture, korvo::dataPath("robot gun left.gif"));

        f.game->pb_Robot_KeyDown(kKeyLeft); // the held key's next repeat runs again
        QVERIFY(f.sprite.playing);
        f.game->pb_Robot_KeyDown(kKeyRight);
        QCOMPARE(s.RobotState, zeltrix::RobotMotion::Right);
        QCOMPARE(f.sprite.fileName, korvo::dataPath("robot run right.spr"));

        f.game->pb_Robot_KeyUp(kKeyLeft); // the released key decides the facing
        QCOMPARE(s.RobotState, zeltrix::RobotMotion::NoneLeft);
        QVERIFY(!f.sprite.playing);
        QCOMPARE(f.field().pb_Robot.Picture, korvo::dataPath("robot stand left.gif"));
        f.game->pb_Robot_KeyUp(kKeyRight);
        QCOMPARE(s.RobotState, zeltrix::RobotMotion::NoneRight);
        QCOMPARE(f.field().pb_Robot.Picture, korvo::dataPath("robot stand right.gif"));

        f.game->pb_Robot_KeyDown(kKeySpace); // standing: unchanged
        QCOMPARE(s.RobotState, zeltrix::RobotMotion::NoneRight);
        f.game->pb_Robot_KeyDown(65); // any other key
        QCOMPARE(s.RobotState, zeltrix::RobotMotion::NoneRight);
    }
};

QTEST_GUILESS_MAIN(RobotTest)
#include "RobotTest.moc"
