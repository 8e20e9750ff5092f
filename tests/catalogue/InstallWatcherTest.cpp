// The install watcher with real programs on a private X server: a signed component that runs,
// shows its window and puts a game in place, and windows that do or do not hold the watcher.
#include "FrmMain.h"
#include "Installation.h"
#include "Pack.h"
#include "PanelFixture.h"
#include "PictureButton.h"
#include "Signing.h"
#include "Text.h"
#include "XWindowFinder.h"

#include <QProcess>
#include <QtTest>

namespace {

// The main window over the real window finder and the real shell.
struct RealWatcherFixture : PanelFixture {
    RealWatcherFixture() {
        realPanel = std::make_unique<launcher::ControlPanel>(
            launcher::LauncherServices{sound, random, finder, korvo::shell(), messages, screen,
                                       dialogs},
            catalogue);
        window = std::make_unique<launcher::FrmMain>(*realPanel);
        screen.onEvents = [this] {
            window->refresh();
            QCoreApplication::processEvents();
        };
        write(app + "/add/uninstall components.exe", "uninstaller");
    }
    ~RealWatcherFixture() {
        for (QProcess* process : programs) {
            process->kill();
            process->waitForFinished(3000);
            delete process;
        }
    }
    // A stand-in program with a window titled title for life milliseconds.
    void openWindow(const QString& title, int life) {
        auto* process = new QProcess;
        process->start(TITLED_WINDOW, {"--title", title, "--life", QString::number(life)});
        programs.push_back(process);
        QVERIFY(process->waitForStarted(5000));
    }
    korvo::WindowId find(const std::string& title) { return finder.FindWindowByTitle(title, ""); }

    korvo::XWindowFinder finder;
    std::unique_ptr<launcher::ControlPanel> realPanel;
    std::unique_ptr<launcher::FrmMain> window;
    std::vector<QProcess*> programs;
};

} // namespace

class InstallWatcherTest : public QObject {
    Q_OBJECT
private slots:
    void downloadedComponentRunsAndTheWatcherCleansUpAfterIt();
    void anyKorvosWindowHoldsTheWatcherButNotAHelpWindow();
};

void InstallWatcherTest::downloadedComponentRunsAndTheWatcherCleansUpAfterIt() {
    RealWatcherFixture f;
    f.offer({"Korvo's Vorpa"});
    f.install("Korvo's Vorpa");
    const korvo::KeyPair keys = korvo::generateKeyPair();
    fakes::FakeUninstallEntry entry;
    launcher::Installation installation({korvo::shell(), f.messages, entry}, f.catalogue,
                                        keys.publicKey);
    // The setup program at the head of the component: notes its arguments, puts a game in
    // place and shows its window for a while.
    const QString setup = f.root.path() + "/setup";
    f.write(setup,
            QString("#!/bin/sh\n"
                    "printf '%s\\n' \"$@\" > \"$1/arguments.txt\"\n"
                    "mkdir -p \"$1/Korvo's Test Game\"\n"
                    "echo game > \"$1/Korvo's Test Game/Korvo's Test Game.exe\"\n"
                    "exec '%1' --title \"Korvo's Test Game Setup\" --delay 200 --life 2000\n")
                .arg(TITLED_WINDOW)
                .toUtf8());
    const QString component = f.components + "korvo009.cmp";
    korvo::writeComponent(setup.toStdString(), "archive", keys.secretKey, component.toStdString());
    f.window->Form_Load();
    f.messages.shown.clear();

    QVERIFY(installation.InstallComponent(component.toStdString()));
    f.realPanel->StartInstallWatcher(launcher::kInstalling);
    f.window->refresh();
    QVERIFY(!f.window->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(f.find("Korvo's Test Game Setup") != 0, 5000);
    QCOMPARE(QString::fromStdString(
                 korvo::readFileBytes((f.components + "arguments.txt").toStdString())),
             f.components.chopped(1) + "\n");
    while (f.find("Korvo's Test Game Setup") != 0) {
        QVERIFY(!f.window->isEnabled());
        QTest::qWait(50);
    }
    QTRY_VERIFY_WITH_TIMEOUT(f.window->isEnabled(), 3000);
    QVERIFY(!QFile::exists(component));
    QCOMPARE(f.messages.texts(), std::vector<std::string>{launcher::kInstallComplete});
    QCOMPARE(f.realPanel->ButtonCount(), 2);
    QCOMPARE(f.realPanel->ButtonName(1), std::string("Korvo's Test Game"));
}

void InstallWatcherTest::anyKorvosWindowHoldsTheWatcherButNotAHelpWindow() {
    RealWatcherFixture f;
    f.offer({"Korvo's Vorpa"});
    f.install("Korvo's Vorpa");
    f.window->Form_Load();
    f.openWindow("Korvo's Help", 20000);
    f.openWindow("Korvo's Vorpa", 2500);
    QTRY_VERIFY_WITH_TIMEOUT(f.find("korvo's vorpa") != 0, 5000);
    QTRY_VERIFY_WITH_TIMEOUT(f.find("korvo's help") != 0, 5000);

    f.realPanel->StartInstallWatcher({}); // a removal
    f.window->refresh();
    while (f.find("korvo's vorpa") != 0) {
        QVERIFY(!f.window->isEnabled());
        QTest::qWait(50);
    }
    QTRY_VERIFY_WITH_TIMEOUT(f.window->isEnabled(), 3000);
    QVERIFY(f.find("korvo's help") != 0);
    QVERIFY(f.messages.shown.empty());
}

QTEST_MAIN(InstallWatcherTest)
#include "InstallWatcherTest.moc"
