#include "MainWindow.h"
#include "PanelFixture.h"
#include "PictureButton.h"

#include <QApplication>
#include <QLabel>
#include <QtTest>

using Texts = std::vector<std::string>;

namespace {
// The panel in a real window over a fake screen that lets the window show each step.
struct WindowFixture : PanelFixture {
    WindowFixture() {
        window = std::make_unique<launcher::MainWindow>(panel);
        screen.onEvents = [this] {
            window->refresh();
            QCoreApplication::processEvents();
        };
    }
    QAction* action(const char* name) { return window->findChild<QAction*>(name); }
    static void move(QWidget* widget) {
        QMouseEvent event(QEvent::MouseMove, QPointF(1, 1), widget->mapToGlobal(QPointF(1, 1)),
                          Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
    std::unique_ptr<launcher::MainWindow> window;
};
} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void menusAndTheirKeysReachTheirCommands() {
        WindowFixture f;
        f.offer({"Korvo's Vorpa", "Korvo's Zeltrix"});
        f.install("Korvo's Zeltrix");
        f.window->Form_Load();
        QCOMPARE(f.action("m_Refresh")->shortcut(), QKeySequence(Qt::Key_F5));
        QCOMPARE(f.action("m_Instructions")->shortcut(), QKeySequence(Qt::Key_F1));
        f.action("m_Add")->trigger();
        QCOMPARE(f.window->playButton(1)->accessibleName(), QString("New Game"));
        f.install("Korvo's Vorpa");
        f.action("m_Refresh")->trigger(); // the same view, rebuilt from the disk
        QCOMPARE(f.window->playButton(0)->accessibleName(), QString("New Game"));
        QVERIFY(f.window->playButton(1) == nullptr);
        // One button: 2975 x 2235 twips; the offscreen platform has no frame.
        QCOMPARE(f.window->frameGeometry().size(), QSize(198, 149));
        f.action("m_Remove")->trigger();
        QCOMPARE(f.messages.texts(), Texts{launcher::kNothingToRemove});
        f.action("m_About")->trigger();
        QCOMPARE(f.dialogs.abouts, 1);
        // Help opens unless a help window is open already.
        f.action("m_Instructions")->trigger();
        f.windows.windows = {{7, "KORVO'S HELP - Contents"}};
        f.action("m_Instructions")->trigger();
        using Documents = std::vector<std::pair<std::string, int>>;
        const std::string help = (f.app + "/add/korvo's help.hlp").toStdString();
        QCOMPARE(f.dialogs.documents, (Documents{{help, 0}}));
    }

    void buttonsShowPicturesAndNamesAndTheSwitchLeadsToTheOtherView() {
        WindowFixture f;
        f.offer({"Korvo's Vorpa", "Korvo's Dravolt", "Korvo's Zeltrix"});
        f.install("Korvo's Zeltrix");
        QImage picture(99, 70, QImage::Format_RGB32);
        picture.fill(Qt::red);
        picture.save(f.app + "/add/Korvo's Vorpa.gif", "PNG");
        f.write(f.app + "/add/Korvo's Dravolt.gif", "not a picture");
        f.window->Form_Load();
        f.panel.t_Animate_Timer();
        f.window->refresh();
        auto* frame = f.window->findChild<launcher::PictureButton*>(
            QString("cmd_OtherGames_%1").arg(f.panel.SwitchFrame()));
        QVERIFY(frame->isVisible() && frame->accessibleName() == "Other Games");
        QTest::mouseClick(frame, Qt::LeftButton);
        QVERIFY(!f.catalogue.ShowingInstalled && f.panel.SwitchAnimating()); // and released
        launcher::PictureButton* vorpa = f.window->playButton(0);
        QCOMPARE(vorpa->accessibleName(), QString("Korvo's Vorpa"));
        QVERIFY(vorpa->hasPicture() && vorpa->isVisible());
        QCOMPARE(vorpa->geometry(), QRect(8, 9, 99, 70));
        // A picture that cannot be read leaves the button without one, with its caption below.
        QVERIFY(!f.window->playButton(1)->hasPicture() && f.window->playButton(1)->isVisible());
        QCOMPARE(f.window->gameLabel(1)->text(), QString(" Dravolt"));
        QCOMPARE(f.window->playButton(2)->text(), QString("?"));
        QCOMPARE(frame->accessibleName(), QString("Installed Games"));
    }

    void pointerOnAButtonPutsTheFrameBehindIt() {
        WindowFixture f;
        f.offer({"Korvo's Vorpa"});
        f.window->Form_Load();
        auto* frame = f.window->findChild<QLabel*>("pb_ButtonHighlight");
        QVERIFY(!frame->isVisible());
        f.move(f.window->playButton(1));
        QVERIFY(frame->isVisible());
        QCOMPARE(frame->geometry().topLeft(), QPoint(135, 4));
        const QObjectList& siblings = frame->parentWidget()->children();
        QVERIFY(siblings.indexOf(frame) < siblings.indexOf(f.window->playButton(1)));
        f.move(f.window->gameLabel(1));
        QVERIFY(!frame->isVisible());
        f.move(f.window->playButton(0));
        f.move(f.window->centralWidget());
        QVERIFY(!frame->isVisible());
        QTest::mousePress(f.window->playButton(0), Qt::LeftButton);
        QCOMPARE(f.player.fileName, korvo::dataPath("click.wav"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
