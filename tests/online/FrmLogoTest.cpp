// The logo window: its look, what it shows of the logic at each step, its timers, the
// hand-over to the main window and its unloading.
#include "FrmLogo.h"
#include "InstallFixture.h"
#include "LauncherFakes.h"
#include "Twips.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QtTest>

namespace {

struct Fixture : InstallFixture {
    Fixture() {
        // The staged pictures, so that the window shows what a user sees.
        for (const char* name : {"logo.gif", "coin 0.gif", "coin 1.gif", "coin 2.gif", "coin 3.gif",
                                 "coin 4.gif", "coin 5.gif", "coin rest.gif"}) {
            QFile::copy(QString(LAUNCHER_ADD) + "/" + name, app + "/add/" + name);
        }
        install("Korvo's Zeltrix"); // a later start: the logo plays at once
        auto fake = std::make_unique<fakes::FakePlayer>();
        player = fake.get();
        window = std::make_unique<launcher::FrmLogo>(std::move(fake), windows, screen, installation,
                                                     catalogue);
        window->onShowMain = [this] {
            ++mainShown;
            logoVisibleAtHandOver = window->isVisible();
        };
        screen.onEvents = [this] { window->refresh(); };
    }
    void tick() {
        window->logic().t_Coin_Timer();
        window->refresh();
    }
    QLabel* label(const QString& name) { return window->findChild<QLabel*>(name); }
    QTimer* timer(const char* name) { return window->findChild<QTimer*>(name); }

    fakes::FakePlayer* player = nullptr;
    fakes::FakeWindowFinder windows;
    fakes::FakeScreen screen;
    fakes::FakeShell shell;
    fakes::FakeMessages messages;
    fakes::FakeUninstallEntry entry;
    launcher::Catalogue catalogue;
    launcher::Installation installation{{shell, messages, entry}, catalogue};
    std::unique_ptr<launcher::FrmLogo> window;
    int mainShown = 0;
    bool logoVisibleAtHandOver = true;
};

} // namespace

class FrmLogoTest : public QObject {
    Q_OBJECT
private slots:
    void whiteWindowWithoutCaptionInTheMiddleOfTheScreen();
    void showsTheAnimationAsTheLogicRunsIt();
    void hidesItselfBeforeTheMainWindowShows();
    void unloadStopsTheMusicAndCloses();
};

void FrmLogoTest::whiteWindowWithoutCaptionInTheMiddleOfTheScreen() {
    Fixture f;
    QVERIFY(f.window->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(f.window->size(), QSize(362, 103));
    QVERIFY(!f.window->isVisible()); // until it is loaded
    f.window->Form_Load();
    QVERIFY(f.window->isVisible());
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY((f.window->geometry().center() - screen.center()).manhattanLength() <= 2);
    const QImage shot = f.window->grab().toImage();
    QCOMPARE(shot.pixelColor(300, 90), QColor(Qt::white));  // below the logo, right of the coin
    QVERIFY(shot.pixelColor(180, 30) != QColor(Qt::white)); // the logo's dark panel
}

void FrmLogoTest::showsTheAnimationAsTheLogicRunsIt() {
    Fixture f;
    f.window->Form_Load();
    QTimer* coin = f.timer("t_Coin");
    QVERIFY(coin->isActive());
    QCOMPARE(coin->interval(), 100);
    QCOMPARE(coin->timerType(), Qt::PreciseTimer);
    coin->stop(); // the test drives the ticks
    for (int i = 0; i < 5; ++i) {
        f.tick();
    }
    QCOMPARE(f.label("pb_Coin_5")->geometry(),
             QRect(korvo::toPixels(-3570 + 5 * 250), 61, 240, 39));
    while (f.window->logic().Tick() <= 23) {
        f.tick();
    }
    for (int i = 0; i < 7; ++i) {
        QVERIFY(!f.label(QString("pb_Coin_%1").arg(i))->isVisible());
    }
    // The coin at rest is painted on the window itself.
    QVERIFY(f.window->grab().toImage().pixelColor(62 + 19, 61 + 19) != QColor(Qt::white));
    QCOMPARE(coin->interval(), 50);
    QLabel* maker = f.label("lbl_Product_2");
    QVERIFY(maker->isVisible());
    QCOMPARE(maker->text(), QString("d"));
    QCOMPARE(maker->font().pointSizeF(), 9.75);
    QCOMPARE(maker->palette().color(QPalette::WindowText), QColor(64, 64, 64));
    QCOMPARE(f.window->children().last(), maker); // in front of everything else
}

void FrmLogoTest::hidesItselfBeforeTheMainWindowShows() {
    Fixture f;
    f.window->Form_Load();
    f.timer("t_Coin")->stop();
    for (int i = 0; i <= 60; ++i) {
        f.tick();
    }
    QCOMPARE(f.mainShown, 1);
    QVERIFY(!f.logoVisibleAtHandOver);
    QVERIFY(!f.timer("t_Coin")->isActive());
}

void FrmLogoTest::unloadStopsTheMusicAndCloses() {
    Fixture f;
    f.window->Form_Load();
    QCOMPARE(f.player->commands.back(), std::string("Play"));
    f.window->unload();
    QCOMPARE(f.player->commands.back(), std::string("Close"));
    QVERIFY(!f.window->isVisible());
    QVERIFY(!f.timer("t_Coin")->isActive());
}

QTEST_MAIN(FrmLogoTest)
#include "FrmLogoTest.moc"
