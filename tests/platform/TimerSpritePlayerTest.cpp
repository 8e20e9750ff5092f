#include "TimerSpritePlayer.h"

#include <QTemporaryDir>
#include <QTest>

#include <fstream>

using korvo::Control;
using korvo::TimerSpritePlayer;

class TimerSpritePlayerTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    Control m_robot;
    TimerSpritePlayer m_player;
    int m_frames = 0;

    std::string path(const char* name) const { return m_dir.filePath(name).toStdString(); }

private slots:
    void initTestCase() {
        std::ofstream(path("run right.spr")) << "60\n\"r1.gif\",75,0\n\"r2.gif\",75,-15\n";
        std::ofstream(path("run left.spr")) << "60\n\"l1.gif\",-75,0\n\"l2.gif\",-75,0\n";
        m_player.setOnFrame([this] { ++m_frames; });
        m_player.SetTarget(&m_robot);
        m_player.SetBasePath(m_dir.path().toStdString());
        m_player.SetTop(5300);
        m_player.SetLeftLimit(0);
        m_player.SetRightLimit(9510);
    }

    void init() { m_robot = korvo::PlacedControl(0, 0, 600, 900); }

    void playShowsTheFirstFrameAtOnceAndRepeats() {
        m_player.SetLeft(1000);
        m_player.SetFileName("run right.spr"); // relative to the base path
        m_player.Play();
        QVERIFY(m_player.IsPlaying());
        QCOMPARE(m_robot.Top, 5300);
        QCOMPARE(m_robot.Left, 1075);
        QCOMPARE(m_robot.Picture, path("r1.gif"));
        QCOMPARE(m_frames, 1);
        m_player.advance();
        QCOMPARE(m_robot.Picture, path("r2.gif"));
        QCOMPARE(m_robot.Top, 5285);
        m_player.advance();
        QCOMPARE(m_robot.Picture, path("r1.gif"));
        QCOMPARE(m_robot.Left, 1225);
        QCOMPARE(m_frames, 3);
        // The timer runs it too.
        QTRY_VERIFY(m_robot.Left > 1225);
        m_player.Stop();
        QVERIFY(!m_player.IsPlaying());
        const int left = m_robot.Left;
        QTest::qWait(200);
        QCOMPARE(m_robot.Left, left);
    }

    void runsStayWithinTheLimits() {
        for (const auto& [file, left, stop] :
             {std::tuple("run right.spr", 9000, 9510 - 600), std::tuple("run left.spr", 8000, 0)}) {
            m_player.SetLeft(left);
            m_player.SetFileName(path(file));
            m_player.Play();
            for (int i = 0; i < 200; ++i) {
                m_player.advance();
            }
            QCOMPARE(m_robot.Left, stop);
            m_player.Stop();
        }
    }

    void aFileThatCannotBePlayedLeavesTheTargetAlone() {
        m_player.SetLeft(3000);
        m_player.SetFileName(path("missing.spr"));
        m_player.Play();
        QVERIFY(!m_player.IsPlaying());
        QCOMPARE(m_robot.Left, 0);
        QVERIFY(m_robot.Picture.empty());
    }
};

QTEST_GUILESS_MAIN(TimerSpritePlayerTest)
#include "TimerSpritePlayerTest.moc"
