#include "FrmIntro.h"

#include "DataPath.h"
#include "Fakes.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using zeltrix::FrmIntro;

class FrmIntroTest : public QObject {
    Q_OBJECT

    // The program folder has no background picture: the intro must run on a black one.
    QTemporaryDir m_dir;
    std::unique_ptr<fakes::FakePlayer> m_player;
    std::unique_ptr<korvo::SoundBoard> m_sound;
    std::unique_ptr<FrmIntro> m_intro;
    int m_starts = 0;

    QTimer* timer(const char* name) { return m_intro->findChild<QTimer*>(name); }

private slots:
    void init() {
        korvo::setProgramDir(m_dir.path().toStdString());
        m_player = std::make_unique<fakes::FakePlayer>();
        m_sound = std::make_unique<korvo::SoundBoard>(*m_player);
        m_starts = 0;
        m_intro = std::make_unique<FrmIntro>(*m_sound, *m_player, [this] {
            ++m_starts;
            QVERIFY(m_intro->isVisible()); // hidden only once the game window is up
        });
    }

    void cleanup() { m_intro.reset(); }

    void loadPlaysTheAnthemAndAMissingPictureFadesAtOnce() {
        QVERIFY(m_intro->isVisible());
        QCOMPARE(m_player->fileName, korvo::dataPath("anthem1.mid"));
        QVERIFY(m_sound->IsPlaying());
        m_intro->Timer1_Timer(); // the picture reads as black, the fade's end
        QVERIFY(!timer("Timer1")->isActive() && timer("Timer2")->isActive());
    }

    void characterKeysEndTheIntroButArrowsDoNot() {
        auto* picture = m_intro->findChild<QLabel*>("P_Main");
        for (const Qt::Key key : {Qt::Key_Left, Qt::Key_Up, Qt::Key_F1, Qt::Key_Shift}) {
            QTest::keyClick(picture, key);
        }
        QCOMPARE(m_starts, 0);
        m_player->failOpen = true; // as the real player fails to open the data folder itself
        QTest::keyClick(picture, Qt::Key_Escape);
        QCOMPARE(m_starts, 1);
        QVERIFY(!m_intro->isVisible());
        QVERIFY(!m_sound->IsPlaying()); // the anthem is cut off
        QVERIFY(!timer("Timer3")->isActive() && !timer("Timer4")->isActive());
        QTest::keyClick(m_intro.get(), Qt::Key_Space);
        QCOMPARE(m_starts, 1);
    }

    void closingTheIntroClosesThePlayerAndNeverStartsTheGame() {
        m_intro->close();
        QCOMPARE(m_player->commands.back(), "Close");
        QVERIFY(!timer("Timer4")->isActive());
        m_player->playerMode = korvo::PlayerMode::Stopped; // as if the anthem had ended
        m_intro->Timer4_Timer();
        QCOMPARE(m_starts, 0);
    }
};

QTEST_MAIN(FrmIntroTest)
#include "FrmIntroTest.moc"
