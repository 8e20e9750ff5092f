// Running component installers: the check before anything runs, the preparation of the
// components directory and the clean-up of downloads.
#include "Installation.h"
#include "ComponentLock.h"
#include "LauncherFixture.h"
#include "Text.h"

#include <QtTest>

namespace fs = std::filesystem;

class InstallationTest : public QObject {
    Q_OBJECT
private slots:
    void componentThatCannotBeInstalledIsReported_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("kept"); // the component is still there
        QTest::newRow("shipped, the installer does not start") << "start" << true;
        QTest::newRow("downloaded, another game than offered") << "game" << false;
        QTest::newRow("downloaded, older than the game installed") << "older" << false;
    }
    void componentThatCannotBeInstalledIsReported() {
        QFETCH(QString, fault);
        QFETCH(bool, kept);
        LauncherFixture f;
        const QString path =
            fault == "start" ? f.app + "/add/components.cmp" : f.components + "korvo002.cmp";
        const std::string file =
            f.component(path, fault == "game" ? "Korvo's Vorpa" : "Korvo's Zeltrix", "2.1.0");
        if (fault == "older") {
            f.install("Korvo's Zeltrix", "2.10");
        }
        f.programs.startSucceeds = fault != "start";
        QVERIFY(!f.installation.InstallComponent(file, {}, "Korvo's Zeltrix"));
        QVERIFY(f.programs.started.empty() && f.messages.shown.size() == 1);
        const std::string& said = f.messages.shown[0].text;
        const std::string prefix = launcher::kAddFailure + file + "\n";
        if (fault == "older") {
            QCOMPARE(said, std::string("A newer version of Korvo's Zeltrix is already installed."));
        } else {
            QVERIFY(said.starts_with(prefix) && said.size() > prefix.size()); // and why
        }
        QCOMPARE(fs::exists(file), kept); // a refused download is thrown away
    }

    // The shipped components run at start-up when no game is installed, and when an upgraded
    // launcher ships a newer version of the game installed.
    void shippedComponentsRunAtAFirstStartAndAsAnUpdate_data() {
        QTest::addColumn<QByteArray>("installed"); // the version; "-": no game
        QTest::addColumn<std::string>("shipped");  // the version; empty: a component of format 1
        QTest::addColumn<bool>("runs");
        QTest::newRow("first start") << QByteArray("-") << std::string("2.1.0") << true;
        QTest::newRow("newer") << QByteArray("2.1.0") << std::string("2.10") << true;
        QTest::newRow("the same") << QByteArray("2.1.0") << std::string("2.1") << false;
        QTest::newRow("older") << QByteArray("2.10") << std::string("2.9.9") << false;
        QTest::newRow("installed version unknown") << QByteArray() << std::string("3") << false;
        QTest::newRow("format 1 names no version") << QByteArray("2.1.0") << std::string() << false;
    }
    void shippedComponentsRunAtAFirstStartAndAsAnUpdate() {
        QFETCH(QByteArray, installed);
        QFETCH(std::string, shipped);
        QFETCH(bool, runs);
        LauncherFixture f;
        if (installed != "-") {
            f.install("Korvo's Zeltrix", installed);
        }
        f.component(f.app + "/add/components.cmp", "Korvo's Zeltrix", shipped);
        bool done = false;
        f.installation.StartUpInstall([&done] { done = true; });
        QCOMPARE(f.programs.started.size(), std::size_t(runs));
        QCOMPARE(done, !runs); // else once the installer has ended
        QVERIFY(f.messages.shown.empty());
    }

    void uninstallerAndEntryArePutInPlaceBeforeTheStart() {
        LauncherFixture f;
        QDir(f.components).removeRecursively(); // a first start
        QVERIFY(f.installation.InstallComponent(f.component(f.app + "/add/components.cmp"), {}));
        QCOMPARE(f.entry.written, std::vector<std::string>{f.components.toStdString()});
        const std::string uninstaller = (f.components + "uninstall components.exe").toStdString();
        QCOMPARE(korvo::readFileBytes(uninstaller), std::string("uninstaller"));
        // A download saved without the right to run it runs all the same, from its checked copy;
        // the uninstaller is brought up to date.
        f.write(QString::fromStdString(uninstaller), "an older uninstaller");
        const std::string download = f.component(f.components + "korvo002.cmp");
        QVERIFY(f.installation.InstallComponent(download, {}));
        QCOMPARE(korvo::readFileBytes(uninstaller), std::string("uninstaller"));
        QVERIFY(f.messages.shown.empty() && f.programs.started.size() == 2);
    }

    void downloadsStayWhileAnInstallerWorksInTheirFolder() {
        LauncherFixture f;
        f.onDisk("korvo002.cmp");
        const std::string dir = f.components.toStdString();
        {
            const korvo::ComponentLock installerAtWork(dir, std::chrono::milliseconds(0));
            launcher::DeleteDownloadedComponents(dir);
            QVERIFY(fs::exists(dir + "korvo002.cmp"));
        }
        f.onDisk("dir.cmp/in.txt");
        launcher::DeleteDownloadedComponents(dir);
        QVERIFY(!fs::exists(dir + "korvo002.cmp") && fs::exists(dir + "dir.cmp/in.txt"));
    }
};

QTEST_GUILESS_MAIN(InstallationTest)
#include "InstallationTest.moc"
