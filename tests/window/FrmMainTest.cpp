#include "FrmMain.h"
#include "FieldView.h"
#include "GameFixture.h"

#include <QApplication>
#include <QDialog>
#include <QMenuBar>
#include <QTimer>
#include <QtTest>

namespace {
// A game whose window is real, so that the active window decides whether the timers run.
struct WindowFixture : GameFixture {
    WindowFixture() {
        game = std::make_unique<zeltrix::Game>(
            zeltrix::GameServices{messages, hallOfFame, sound, sprite, random, qtWindows});
        window = std::make_unique<zeltrix::FrmMain>(*game);
        qtWindows.setForm(zeltrix::Form::Main, window.get());
        window->show();
        window->activateWindow();
    }
    QAction* action(const char* name) { return window->findChild<QAction*>(name); }

    zeltrix::QtWindows qtWindows;
    std::unique_ptr<zeltrix::FrmMain> window;
};
} // namespace

class FrmMainTest : public QObject {
    Q_OBJECT
private slots:
    void modalWindowPausesTheGameAndTheBeam() {
        WindowFixture f;
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        f.action("m_Level1")->trigger();
        f.game->FireLaser();
        f.window->refresh();

        int bonusWhileOpen = 0;
        bool beamWhileOpen = false;
        QDialog box;
        box.setObjectName("frm_NiceBox");
        QTimer::singleShot(50, &box, [&] {
            const int bonus = f.state().Bonus;
            QTest::qWait(400);
            bonusWhileOpen = bonus - f.state().Bonus;
            beamWhileOpen = f.field().ln_LazerBeam.Visible;
            box.accept();
        });
        box.exec();
        QCOMPARE(bonusWhileOpen, 0);
        QVERIFY(beamWhileOpen);

        f.window->activateWindow();
        QTRY_VERIFY(!f.field().ln_LazerBeam.Visible);
        QTRY_VERIFY(f.state().Bonus < 990);
    }

    void heldArrowRepeatsDoNotStopTheRun() {
        WindowFixture f;
        f.action("m_Level1")->trigger();
        QWidget* view = f.window->fieldView();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
        QKeyEvent repeatRelease(QEvent::KeyRelease, Qt::Key_Left, Qt::NoModifier, QString(), true);
        QKeyEvent repeatPress(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier, QString(), true);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Left, Qt::NoModifier);
        QApplication::sendEvent(view, &press);
        QApplication::sendEvent(view, &repeatRelease);
        QApplication::sendEvent(view, &repeatPress);
        QCOMPARE(f.state().RobotState, zeltrix::RobotMotion::Left);
        QCOMPARE(f.sprite.plays, 1);
        QApplication::sendEvent(view, &release);
        QCOMPARE(f.state().RobotState, zeltrix::RobotMotion::NoneLeft);
    }

    void aLeftClickOnTheFieldShowsTheTipOfTheMoment() {
        WindowFixture f;
        QWidget* view = f.window->fieldView();
        QTest::mouseClick(view, Qt::RightButton);
        QTest::mousePress(view, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(-5, 10)); // let go off the field
        QVERIFY(f.messages.messages.empty());
        QTest::mouseClick(view, Qt::LeftButton);
        QCOMPARE(
            f.messages.messages,
            std::vector<std::string>{"Tip : To play a game, click on 'Game' and then 'New Game'."});
        f.action("m_Level1")->trigger();
        f.game->GameOver(); // a game over still counts as started
        QTest::mouseClick(view, Qt::LeftButton);
        QCOMPARE(f.messages.messages.back(),
                 std::string("Tip : Use the arrow keys on the keyboard to steer, and space bar to "
                             "shoot."));
    }
};

QTEST_MAIN(FrmMainTest)
#include "FrmMainTest.moc"
