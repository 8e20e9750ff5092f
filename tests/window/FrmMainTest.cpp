#include "FrmMain.h"
#include "FieldView.h"
#include "GameFixture.h"
#include "Twips.h"

#include <QApplication>
#include <QDialog>
#include <QMenuBar>
#include <QTimer>
#include <QtTest>

namespace {
std::vector<double> spread() {
    return {0.05, 0.25, 0.45, 0.65, 0.85, 0.15, 0.35, 0.55, 0.75, 0.95};
}

// A game whose window is real, so that the active window decides whether the timers run.
struct WindowFixture : GameFixture {
    WindowFixture() : GameFixture(spread()) {
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
    void menusCarryTheirCaptionsAccessKeysAndShortcut();
    void modalWindowPausesTheGameAndTheBeam();
    void maximisingCentresTheFieldAndRestoringPutsItBack();
    void heldArrowRepeatsDoNotStopTheRun();
    void onlyALeftClickOnTheFieldShowsATip();
};

void FrmMainTest::menusCarryTheirCaptionsAccessKeysAndShortcut() {
    WindowFixture f;
    const QList<QAction*> top = f.window->menuBar()->actions();
    QCOMPARE(top.size(), 2);
    QCOMPARE(top[0]->text(), QString("&Game"));
    QCOMPARE(top[1]->text(), QString("&Help"));
    QStringList game;
    for (QAction* a : top[0]->menu()->actions()) {
        game << (a->isSeparator() ? "-" : a->text());
    }
    QCOMPARE(game, QStringList({"&New Game", "&Hall of Fame", "-", "&Silent", "-", "&Exit"}));
    QCOMPARE(f.action("m_Level1")->text(), QString("Challenge &1 (Linear Equations)"));
    QCOMPARE(f.action("m_Level2")->text(), QString("Challenge &2 (Tricky Linear Equations)"));
    QCOMPARE(f.action("m_Level3")->text(), QString("Challenge &3 (Quadratric Equations)"));
    QCOMPARE(f.action("m_Instructions")->text(), QString("&Contents"));
    QCOMPARE(f.action("m_Instructions")->shortcut(), QKeySequence(Qt::Key_F1));
    QCOMPARE(f.action("m_About")->text(), QString("&About Zeltrix"));

    QVERIFY(!f.action("m_Silent")->isChecked());
    f.action("m_Silent")->trigger();
    QVERIFY(f.action("m_Silent")->isChecked());
    QVERIFY(f.sound.Silent);
    f.action("m_Silent")->trigger();
    QVERIFY(!f.action("m_Silent")->isChecked());
}

void FrmMainTest::modalWindowPausesTheGameAndTheBeam() {
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

void FrmMainTest::maximisingCentresTheFieldAndRestoringPutsItBack() {
    WindowFixture f;
    f.window->showMaximized();
    QTRY_VERIFY(f.window->isMaximized());
    const QSize outer = f.window->frameGeometry().size();
    const QPoint expected(korvo::toPixels((korvo::toTwips(outer.width()) - 9525) / 2 - 50),
                          korvo::toPixels((korvo::toTwips(outer.height()) - 6885) / 2 - 340));
    QTRY_COMPARE(f.window->fieldView()->pos(), expected);
    f.window->showNormal();
    QTRY_COMPARE(f.window->fieldView()->pos(), QPoint(0, 0));
}

void FrmMainTest::heldArrowRepeatsDoNotStopTheRun() {
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

void FrmMainTest::onlyALeftClickOnTheFieldShowsATip() {
    WindowFixture f;
    QWidget* view = f.window->fieldView();
    QTest::mouseClick(view, Qt::RightButton);
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(-5, 10)); // let go off the field
    QVERIFY(f.messages.messages.empty());
    QTest::mouseClick(view, Qt::LeftButton);
    QCOMPARE(f.messages.messages.size(), std::size_t(1));
}

QTEST_MAIN(FrmMainTest)
#include "FrmMainTest.moc"
