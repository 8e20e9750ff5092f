#include "FrmMain.h"
#include "PanelFixture.h"
#include "PictureButton.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QtTest>

namespace {
// The panel in a real window over a fake screen that lets the window show each step.
struct WindowFixture : PanelFixture {
    WindowFixture() {
        window = std::make_unique<launcher::FrmMain>(panel);
        screen.onEvents = [this] {
            window->refresh();
            QCoreApplication::processEvents();
        };
    }
    QAction* action(const char* name) { return window->findChild<QAction*>(name); }
    QLabel* highlight() { return window->findChild<QLabel*>("pb_ButtonHighlight"); }
    void mouse(QWidget* widget, QEvent::Type type, Qt::MouseButton button = Qt::NoButton) {
        const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
        QMouseEvent event(type, at, widget->mapToGlobal(at), button,
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::MouseButtons(button),
                          Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
    std::unique_ptr<launcher::FrmMain> window;
};
} // namespace

class FrmMainTest : public QObject {
    Q_OBJECT
private slots:
    void menusCarryTheirCaptionsAccessKeysAndShortcuts();
    void buttonsShowTheirPicturesAndNamesForScreenReaders();
    void missingPictureLeavesTheButtonWithItsCaption();
    void windowTakesTheOuterSizeOfThePanel();
    void pointerOnAButtonPutsTheFrameBehindIt();
    void clickStartsTheGameAndHidesTheWindowUntilItHasGone();
    void switchClickShowsTheOtherView();
};

void FrmMainTest::menusCarryTheirCaptionsAccessKeysAndShortcuts() {
    WindowFixture f;
    QCOMPARE(f.window->windowTitle(), QString("Game Control Panel"));
    const QList<QAction*> top = f.window->menuBar()->actions();
    QCOMPARE(top.size(), 2);
    QCOMPARE(top[0]->text(), QString("&File"));
    QCOMPARE(top[1]->text(), QString("&Help"));
    const auto captions = [](QAction* menu) {
        QStringList list;
        for (QAction* a : menu->menu()->actions()) {
            list << (a->isSeparator() ? "-" : a->text());
        }
        return list;
    };
    QCOMPARE(captions(top[0]),
             QStringList({"Add &New Games...", "&Remove Games...", "&Refresh", "-", "&Exit"}));
    QCOMPARE(captions(top[1]), QStringList({"&Contents", "-", "&About Korvo's Control Panel"}));
    QCOMPARE(f.action("m_Refresh")->shortcut(), QKeySequence(Qt::Key_F5));
    QCOMPARE(f.action("m_Instructions")->shortcut(), QKeySequence(Qt::Key_F1));
    f.action("m_About")->trigger();
    f.action("m_Remove")->trigger();
    f.action("m_Instructions")->trigger();
    QCOMPARE(f.dialogs.abouts, 1);
    QCOMPARE(f.messages.texts(), std::vector<std::string>{launcher::kNothingToRemove});
    QCOMPARE(f.dialogs.documents.size(), std::size_t(1));
}

void FrmMainTest::buttonsShowTheirPicturesAndNamesForScreenReaders() {
    WindowFixture f;
    f.offer({"Korvo's Vorpa", "Korvo's Zeltrix"});
    f.install("Korvo's Zeltrix");
    QImage picture(99, 70, QImage::Format_RGB32);
    picture.fill(Qt::red);
    picture.save(f.app + "/add/Korvo's Vorpa.gif", "PNG");
    f.window->Form_Load();
    QVERIFY(f.window->isVisible());
    QCOMPARE(f.window->playButton(0)->accessibleName(), QString("Korvo's Zeltrix"));
    QCOMPARE(f.window->gameLabel(0)->text(), QString(" Zeltrix"));
    auto* frame0 = f.window->findChild<launcher::PictureButton*>("cmd_OtherGames_0");
    QCOMPARE(frame0->accessibleName(), QString("Other Games"));

    f.action("m_Add")->trigger();
    launcher::PictureButton* vorpa = f.window->playButton(0);
    QCOMPARE(vorpa->accessibleName(), QString("Korvo's Vorpa"));
    QVERIFY(vorpa->hasPicture());
    QVERIFY(vorpa->isVisible());
    QCOMPARE(vorpa->geometry(), QRect(8, 9, 99, 70));
    launcher::PictureButton* newGame = f.window->playButton(1);
    QCOMPARE(newGame->accessibleName(), QString("New Game"));
    QCOMPARE(newGame->text(), QString("?"));
    QCOMPARE(QAccessible::queryAccessibleInterface(newGame)->role(), QAccessible::Button);
    QCOMPARE(frame0->accessibleName(), QString("Installed Games"));
    QCOMPARE(f.window->findChild<QLabel*>("lb_Other")->text(), QString("Installed Games"));
    QVERIFY(f.window->playButton(2) == nullptr);
}

void FrmMainTest::missingPictureLeavesTheButtonWithItsCaption() {
    WindowFixture f;
    f.offer({"Korvo's Vorpa"});
    f.write(f.app + "/add/Korvo's Vorpa.gif", "not a picture");
    f.window->Form_Load();
    QVERIFY(!f.window->playButton(0)->hasPicture());
    QVERIFY(f.window->playButton(0)->isVisible());
    QCOMPARE(f.window->gameLabel(0)->text(), QString(" Vorpa"));
    QVERIFY(f.window->gameLabel(0)->isVisible());
}

void FrmMainTest::windowTakesTheOuterSizeOfThePanel() {
    WindowFixture f;
    f.offer({});
    f.window->Form_Load();
    // One button: 2975 x 2235 twips; the offscreen platform has no frame.
    QCOMPARE(f.window->frameGeometry().size(), QSize(198, 149));
}

void FrmMainTest::pointerOnAButtonPutsTheFrameBehindIt() {
    WindowFixture f;
    f.offer({"Korvo's Vorpa"});
    f.window->Form_Load();
    QLabel* frame = f.highlight();
    QVERIFY(!frame->isVisible());
    f.mouse(f.window->playButton(1), QEvent::MouseMove);
    QVERIFY(frame->isVisible());
    QCOMPARE(frame->geometry().topLeft(), QPoint(135, 4));
    const QObjectList& siblings = frame->parentWidget()->children();
    QVERIFY(siblings.indexOf(frame) < siblings.indexOf(f.window->playButton(1)));
    f.mouse(f.window->gameLabel(1), QEvent::MouseMove);
    QVERIFY(!frame->isVisible());
    f.mouse(f.window->playButton(0), QEvent::MouseMove);
    f.mouse(f.window->centralWidget(), QEvent::MouseMove);
    QVERIFY(!frame->isVisible());
    f.mouse(f.window->playButton(0), QEvent::MouseButtonPress, Qt::LeftButton);
    QCOMPARE(f.player.fileName, korvo::dataPath("click.wav"));
}

void FrmMainTest::clickStartsTheGameAndHidesTheWindowUntilItHasGone() {
    WindowFixture f;
    f.offer({"Korvo's Zeltrix"});
    f.install("Korvo's Zeltrix");
    f.window->Form_Load();
    f.windows.windows = {{42, "Korvo's Zeltrix  V2.1.0"}};
    QTest::mouseClick(f.window->playButton(0), Qt::LeftButton);
    QCOMPARE(f.shell.started.size(), std::size_t(1));
    QVERIFY(!f.window->isVisible());
    auto* pause = f.window->findChild<QTimer*>("t_Pause");
    auto* show = f.window->findChild<QTimer*>("t_Show");
    QVERIFY(pause->isActive());
    QVERIFY(!f.window->findChild<QTimer*>("t_Animate")->isActive());
    QTRY_VERIFY_WITH_TIMEOUT(show->isActive(), 3000);
    QVERIFY(!pause->isActive());
    QCOMPARE(f.panel.GameWindow(), korvo::WindowId(42));
    f.windows.windows.clear();
    QTRY_VERIFY_WITH_TIMEOUT(f.window->isVisible(), 3000);
    QVERIFY(!show->isActive());
}

void FrmMainTest::switchClickShowsTheOtherView() {
    WindowFixture f;
    f.offer({"Korvo's Vorpa", "Korvo's Zeltrix"});
    f.install("Korvo's Zeltrix");
    f.window->Form_Load();
    QCOMPARE(f.panel.ButtonCount(), 1);
    f.window->refresh();
    f.panel.t_Animate_Timer();
    f.window->refresh();
    auto* frame = f.window->findChild<launcher::PictureButton*>("cmd_OtherGames_1");
    QVERIFY(frame->isVisible());
    QTest::mouseClick(frame, Qt::LeftButton);
    QCOMPARE(f.panel.ButtonCount(), 2);
    QVERIFY(!f.catalogue.ShowingInstalled);
    QVERIFY(f.panel.SwitchAnimating());
}

QTEST_MAIN(FrmMainTest)
#include "FrmMainTest.moc"
