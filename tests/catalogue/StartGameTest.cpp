#include "FrmMain.h"
#include "PanelFixture.h"
#include "PictureButton.h"
#include "XWindowFinder.h"

#include <QFile>
#include <QtTest>

namespace {
// The panel in its window with the real window finder and the real shell: a game is a small
// program that opens its window late and closes it later.
struct RealGameFixture : PanelFixture {
    RealGameFixture() {
        realPanel = std::make_unique<launcher::ControlPanel>(
            launcher::LauncherServices{sound, random, finder, korvo::shell(), messages, screen,
                                       dialogs},
            catalogue);
        window = std::make_unique<launcher::FrmMain>(*realPanel);
        screen.onEvents = [this] {
            window->refresh();
            QCoreApplication::processEvents();
        };
    }
    // Installs "Korvo's Test Game", whose program file starts the stand-in with the options.
    void installGame(const QString& options) {
        const QString folder = components + "Korvo's Test Game/";
        write(folder + "Korvo's Test Game.exe",
              QString("#!/bin/sh\nexec '%1' %2\n").arg(TITLED_WINDOW, options).toUtf8());
        QFile::setPermissions(folder + "Korvo's Test Game.exe",
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        offer({"Korvo's Test Game"});
    }
    korvo::WindowId gameWindow() { return finder.FindWindowByTitle("korvo's test game", ""); }

    korvo::XWindowFinder finder;
    std::unique_ptr<launcher::ControlPanel> realPanel;
    std::unique_ptr<launcher::FrmMain> window;
};
} // namespace

class StartGameTest : public QObject {
    Q_OBJECT
private slots:
    void launcherWaitsForTheGamesWindowToClose();
    void gameWithoutWindowInTimeBringsTheLauncherBack();
};

void StartGameTest::launcherWaitsForTheGamesWindowToClose() {
    RealGameFixture f;
    f.installGame("--delay 300 --life 2500");
    f.window->Form_Load();
    QVERIFY(f.window->isVisible());
    QTest::mouseClick(f.window->playButton(0), Qt::LeftButton);
    QVERIFY(!f.window->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(f.gameWindow() != 0, 5000);
    // One second after the start the launcher has found the game's window and waits for it.
    QTRY_VERIFY_WITH_TIMEOUT(f.realPanel->GameWindow() != 0, 3000);
    QCOMPARE(f.realPanel->GameWindow(), f.gameWindow());
    while (f.gameWindow() != 0) {
        QVERIFY(!f.window->isVisible());
        QTest::qWait(50);
    }
    QTRY_VERIFY_WITH_TIMEOUT(f.window->isVisible(), 3000);
    QVERIFY(f.messages.shown.empty());
}

void StartGameTest::gameWithoutWindowInTimeBringsTheLauncherBack() {
    RealGameFixture f;
    f.installGame("--delay 4000 --life 100"); // its window would open long after the search
    f.window->Form_Load();
    QTest::mouseClick(f.window->playButton(0), Qt::LeftButton);
    QVERIFY(!f.window->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(f.window->isVisible(), 4000);
    QCOMPARE(f.realPanel->GameWindow(), korvo::WindowId(0));
    QVERIFY(f.window->findChild<QTimer*>("t_Animate")->isActive() || !f.window->isActiveWindow());
    // Usable again: a second click starts the game again.
    QTest::mouseClick(f.window->playButton(0), Qt::LeftButton);
    QVERIFY(!f.window->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(f.window->isVisible(), 4000);
}

QTEST_MAIN(StartGameTest)
#include "StartGameTest.moc"
