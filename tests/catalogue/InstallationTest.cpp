// Running component installers: the signature check before anything runs, the preparation of
// the components directory, the start, the start-up choice and the clean-up of downloads.
#include "Installation.h"
#include "ComponentLock.h"
#include "Pack.h"
#include "PanelFixture.h"
#include "Signing.h"
#include "Text.h"

#include <QtTest>

#include <filesystem>

namespace fs = std::filesystem;
using launcher::kAddFailure;
using Texts = std::vector<std::string>;

namespace {

// A launcher whose add/ holds an uninstaller, with a key pair of the test's own.
struct Fixture : PanelFixture {
    Fixture() {
        write(app + "/add/uninstall components.exe", "uninstaller");
        QFile::setPermissions(app + "/add/uninstall components.exe",
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        write(root.path() + "/setup.sh", "#!/bin/sh\nexit 0\n");
    }
    // A signed component, 0644 as a download saves it.
    std::string component(const QString& path) {
        QDir().mkpath(QFileInfo(path).path());
        korvo::writeComponent((root.path() + "/setup.sh").toStdString(), "archive bytes",
                              keys.secretKey, path.toStdString());
        fs::permissions(path.toStdString(), fs::perms(0644));
        return path.toStdString();
    }

    korvo::KeyPair keys = korvo::generateKeyPair();
    fakes::FakeUninstallEntry entry;
    launcher::Installation installation{{shell, messages, entry}, catalogue, keys.publicKey};
};

} // namespace

class InstallationTest : public QObject {
    Q_OBJECT
private slots:
    void componentThatCannotBeInstalledIsReported_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("tried"); // the installer was started (and failed to)
        QTest::addColumn<bool>("kept");  // the component is still there
        QTest::newRow("downloaded, one byte altered") << "altered" << false << false;
        QTest::newRow("shipped, unsigned") << "unsigned" << false << true;
        QTest::newRow("the installer does not start") << "start" << true << true;
        QTest::newRow("no uninstaller in add/") << "uninstaller" << false << true;
    }
    void componentThatCannotBeInstalledIsReported() {
        QFETCH(QString, fault);
        QFETCH(bool, tried);
        QFETCH(bool, kept);
        Fixture f;
        const QString path =
            fault == "altered" ? f.components + "korvo002.cmp" : f.app + "/add/components.cmp";
        const std::string file = f.component(path);
        if (fault == "altered" || fault == "unsigned") {
            std::string bytes = korvo::readFileBytes(file);
            bytes[3] = static_cast<char>(bytes[3] ^ 0x20);
            f.write(path, fault == "unsigned" ? QByteArray("#!/bin/sh\necho nobody signed this\n")
                                              : QByteArray::fromStdString(bytes));
        }
        f.shell.startSucceeds = fault != "start";
        if (fault == "uninstaller") {
            QFile::remove(f.app + "/add/uninstall components.exe");
        }
        QVERIFY(!f.installation.InstallComponent(file));
        QCOMPARE(f.shell.started.size(), std::size_t(tried ? 1 : 0));
        QCOMPARE(f.entry.written.size(), std::size_t(tried ? 1 : 0));
        QCOMPARE(f.messages.shown.size(), std::size_t(1));
        QVERIFY(f.messages.shown[0].text.starts_with(kAddFailure + file + "\n"));
        QVERIFY(f.messages.shown[0].text.size() > (kAddFailure + file + "\n").size()); // and why
        QCOMPARE(fs::exists(file), kept); // a refused download is thrown away
    }

    void goodComponentStartsWithTheDirectoryAsItsOneArgument() {
        Fixture f;
        QDir(f.components).removeRecursively(); // a first start
        const std::string shipped = f.component(f.app + "/add/components.cmp");
        QVERIFY(f.installation.InstallComponent(shipped));
        QCOMPARE(f.shell.started, Texts{shipped});
        QCOMPARE(f.shell.arguments[0], Texts{f.components.chopped(1).toStdString()});
        QCOMPARE(f.entry.written, Texts{f.components.toStdString()});
        const QString uninstaller = f.components + "uninstall components.exe";
        QVERIFY(QFileInfo(uninstaller).isExecutable() && f.messages.shown.empty());
        // A download saved without the right to run it; the uninstaller is brought up to date.
        f.write(uninstaller, "an older uninstaller");
        const std::string download = f.component(f.components + "korvo002.cmp");
        QVERIFY(f.installation.InstallComponent(download));
        QCOMPARE(fs::status(download).permissions(), fs::perms(0755));
        QCOMPARE(korvo::readFileBytes(uninstaller.toStdString()), std::string("uninstaller"));
    }

    void startUpInstallsTheShippedGamesOnlyWhenNoGameIsThere_data() {
        QTest::addColumn<bool>("shipped");
        QTest::addColumn<QStringList>("entries"); // in the components directory
        QTest::addColumn<bool>("installs");
        QTest::newRow("first start") << true << QStringList{} << true;
        QTest::newRow("a game installed, in any letter case")
            << true << QStringList{"KORVO'S ZELTRIX/korvo's zeltrix.EXE"} << false;
        QTest::newRow("a file named like a game") << true << QStringList{"korvo's notes"} << false;
        QTest::newRow("only a user's file left after a removal")
            << true << QStringList{"Korvo's Zeltrix/add/my levels/level 10.txt"} << true;
        QTest::newRow("only other things")
            << true << QStringList{"uninstall components.exe", "korvo002.cmp", "Korvo's/"} << true;
        QTest::newRow("nothing shipped") << false << QStringList() << false;
    }
    void startUpInstallsTheShippedGamesOnlyWhenNoGameIsThere() {
        QFETCH(bool, shipped);
        QFETCH(QStringList, entries);
        QFETCH(bool, installs);
        Fixture f;
        for (const QString& entry : entries) {
            f.onDisk(entry);
        }
        const std::string file = shipped ? f.component(f.app + "/add/components.cmp") : "";
        Texts calls;
        f.installation.StartUpInstall(
            [&] { calls.push_back("wait " + std::to_string(f.shell.started.size())); },
            [&] { calls.push_back("intro"); });
        // The logo starts waiting before the installer is started.
        QCOMPARE(calls, Texts{installs ? "wait 0" : "intro"});
        QCOMPARE(f.shell.started, installs ? Texts{file} : Texts{});
    }

    void cleanUpDeletesEveryDownloadedComponentButNotWhileAnInstallerWorks() {
        Fixture f;
        for (const char* entry : {"korvo002.cmp", "KORVO003.CMP", "notes.txt", "dir.cmp/in.txt"}) {
            f.onDisk(entry);
        }
        const std::string dir = f.components.toStdString();
        {
            const korvo::ComponentLock installerAtWork(dir, std::chrono::milliseconds(0));
            launcher::DeleteDownloadedComponents(dir);
            QVERIFY(fs::exists(dir + "korvo002.cmp"));
        }
        launcher::DeleteDownloadedComponents(dir);
        QVERIFY(!fs::exists(dir + "korvo002.cmp") && !fs::exists(dir + "KORVO003.CMP"));
        QVERIFY(fs::exists(dir + "notes.txt") && fs::exists(dir + "dir.cmp/in.txt"));
    }
};

QTEST_GUILESS_MAIN(InstallationTest)
#include "InstallationTest.moc"
