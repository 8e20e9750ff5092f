#include "GameFixture.h"

#include <QtTest>

class LaserTest : public QObject {
    Q_OBJECT
private slots:
    void firesFromTheRobotInTheWayItFaces() {
        GameFixture f;
        f.startChallenge(1);
        auto& robot = f.field().pb_Robot;
        const auto& beam = f.field().ln_LazerBeam;
        robot.Left = 3000;
        f.game->FireLaser(); // standing after the level start: to the right
        QVERIFY(beam.X1 == 3600 && beam.X2 == 5600);
        QVERIFY(beam.Y1 == robot.Top + 380 && beam.Y2 == beam.Y1 && beam.Visible);
        QVERIFY(f.field().t_GunEnabled);
        QCOMPARE(f.player.fileName, korvo::dataPath("gunshot.wav"));
        f.state().RobotState = zeltrix::RobotMotion::NoneLeft;
        f.game->FireLaser();
        QVERIFY(beam.X1 == 1000 && beam.X2 == 3000);

        f.game->t_Gun_Timer();
        QVERIFY(!beam.Visible);
        QVERIFY(!f.field().t_GunEnabled);
    }

    void rightHitScoresTheBonusAndAsksTheNextQuestion() {
        GameFixture f;
        f.hallOfFame.scores[0] = 1500;
        f.startChallenge(1);
        f.shoot(1);
        QCOMPARE(f.field().lab_Score.Caption, std::string(" 1000"));
        QCOMPARE(f.field().lab_HiScore.Caption, std::string("1500"));
        QVERIFY(!f.field().sh_Ball[1].Visible);
        QVERIFY(f.field().ln_LazerBeam.Visible); // so that one beam can score twice
        f.shoot(2); // the best score follows the score once it is beaten
        QCOMPARE(f.field().lab_HiScore.Caption, std::string(" 2000"));
    }

    void bonusFallsByOneATickTo100() {
        GameFixture f;
        f.startChallenge(1);
        for (int i = 1; i <= 5; ++i) { // out of harm's way
            f.field().sh_Ball[i].Visible = false;
        }
        f.game->MoveComeqs();
        QCOMPARE(f.state().Bonus, 999);
        for (int tick = 0; tick < 900; ++tick) {
            f.game->MoveComeqs();
        }
        QCOMPARE(f.state().Bonus, 100);
        f.field().sh_Ball[1].Visible = true;
        f.shoot(1);
        QCOMPARE(f.field().lab_Score.Caption, std::string(" 100"));
    }

    void wrongHitCostsALife() {
        GameFixture f;
        f.startChallenge(1);
        f.shoot(3);
        QCOMPARE(f.state().Lives, 2);
        QCOMPARE(f.messages.messages.at(1), std::string("Hahaha...\nScore one for the Comeqs!"));
        QCOMPARE(f.field().lab_Score.Caption, std::string("0"));
    }
};

QTEST_GUILESS_MAIN(LaserTest)
#include "LaserTest.moc"
