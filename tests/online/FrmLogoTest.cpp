// The logo window: its look, what it shows of the logic as it runs, its timer's pace, the
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
        window->onShowMain = [this] { logoVisibleAtHandOver = window->isVisible(); };
        window->Form_Load();
        coin()->stop(); // the test drives the ticks
    }
    void tickUntil(int tick) {
        while (window->logic().Tick() < tick && window->logic().form().t_CoinEnabled) {
            window->logic().t_Coin_Timer();
            window->refresh();
        }
    }
    QLabel* label(const QString& name) { return window->findChild<QLabel*>(name); }
    QTimer* coin() { return window->findChild<QTimer*>("t_Coin"); }

    fakes::FakePlayer* player = nullptr;
    fakes::FakeWindowFinder windows;
    fakes::FakeScreen screen;
    fakes::FakeShell shell;
    fakes::FakeMessages messages;
    fakes::FakeUninstallEntry entry;
    launcher::Catalogue catalogue;
    launcher::Installation installation{{shell, messages, entry}, catalogue};
    std::unique_ptr<launcher::FrmLogo> window;
    bool logoVisibleAtHandOver = true;
};

} // namespace

class FrmLogoTest : public QObject {
    Q_OBJECT
private slots:
    void showsTheAnimationAsTheLogicRunsItAndHidesBeforeTheMainWindow() {
        Fixture f;
        // A white window in the middle of the screen, the logo at its top left.
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY((f.window->geometry().center() - screen.center()).manhattanLength() <= 2);
        const QImage shot = f.window->grab().toImage();
        QCOMPARE(shot.pixelColor(300, 90), QColor(Qt::white));  // below the logo, right of the coin
        QVERIFY(shot.pixelColor(180, 30) != QColor(Qt::white)); // the logo's dark panel
        QCOMPARE(f.coin()->interval(), 100);
        f.tickUntil(5);
        QCOMPARE(f.label("pb_Coin_5")->geometry(),
                 QRect(korvo::toPixels(-3570 + 5 * 250), 61, 240, 39));
        QCOMPARE(f.label("lbl_Product_0")->font().pointSizeF(), 1.0);
        f.tickUntil(24);
        // The coin at rest is painted on the window itself.
        QVERIFY(f.window->grab().toImage().pixelColor(62 + 19, 61 + 19) != QColor(Qt::white));
        QCOMPARE(f.coin()->interval(), 50);
        QCOMPARE(f.label("lbl_Product_0")->font().pointSizeF(), 8.0);
        QLabel* maker = f.label("lbl_Product_2");
        QVERIFY(maker->isVisible());
        QCOMPARE(maker->text(), QString("d"));
        QCOMPARE(f.window->children().last(), maker); // in front of everything else
        // It hides itself before the main window shows; unloading it stops the music.
        f.tickUntil(61); // the last tick is 60
        QVERIFY(!f.logoVisibleAtHandOver && !f.window->isVisible() && !f.coin()->isActive());
        QCOMPARE(f.player->commands.back(), std::string("Play"));
        f.window->unload();
        QCOMPARE(f.player->commands.back(), std::string("Close"));
    }
};

QTEST_MAIN(FrmLogoTest)
#include "FrmLogoTest.moc"
