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
        QTest::newRow("downloaded, one byte altered") << "altered" << false;
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
            f.install("Korvo's Zeltrix");
            f.write(f.components + "Korvo's Zeltrix/installed digests.txt",
                    "Korvo installed digests 1\nversion 2.10\n");
        }
        if (fault == "altered") {
            std::string bytes = korvo::readFileBytes(file);
            bytes[3] = static_cast<char>(bytes[3] ^ 0x20);
            f.write(path, QByteArray::fromStdString(bytes));
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
        f.onDisk("notes.txt");
        f.onDisk("dir.cmp/in.txt");
        launcher::DeleteDownloadedComponents(dir);
        QVERIFY(!fs::exists(dir + "korvo002.cmp") && fs::exists(dir + "notes.txt") &&
                fs::exists(dir + "dir.cmp/in.txt"));
    }
};

QTEST_GUILESS_MAIN(InstallationTest)
#include "InstallationTest.moc"
