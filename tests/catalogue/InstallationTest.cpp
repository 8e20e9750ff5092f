// Running component installers: the signature check before anything runs, the preparation of
// the components directory, the start, the start-up choice and the clean-up of downloads.
#include "Installation.h"
#include "ComponentLock.h"
#include "InstallFixture.h"
#include "LauncherFakes.h"
#include "Pack.h"
#include "Signing.h"
#include "Text.h"

#include <QtTest>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using launcher::kAddFailure;

namespace {

// A launcher folder whose add/ holds an uninstaller, with the logic over fakes and a key pair of
// the test's own.
struct Fixture : InstallFixture {
    Fixture() {
        catalogue.SetComponentsDir(app.toStdString());
        write(app + "/add/uninstall components.exe", "uninstaller");
        QFile::setPermissions(app + "/add/uninstall components.exe",
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    // A component signed with key (the test's own unless given), 0644 as a download saves it.
    std::string component(const QString& path, const korvo::KeyPair* key = nullptr) {
        const QString setup = root.path() + "/setup.sh";
        write(setup, "#!/bin/sh\nexit 0\n");
        QDir().mkpath(QFileInfo(path).path());
        korvo::writeComponent(setup.toStdString(), "archive bytes",
                              (key != nullptr ? *key : keys).secretKey, path.toStdString());
        fs::permissions(path.toStdString(), fs::perms(0644));
        return path.toStdString();
    }
    std::string dir() const { return (components.chopped(1)).toStdString(); }

    korvo::KeyPair keys = korvo::generateKeyPair();
    fakes::FakeShell shell;
    fakes::FakeMessages messages;
    fakes::FakeUninstallEntry entry;
    launcher::Catalogue catalogue;
    launcher::Installation installation{{shell, messages, entry}, catalogue, keys.publicKey};
};

void flipByte(const std::string& path, std::uintmax_t offset) {
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    file.seekg(static_cast<std::streamoff>(offset));
    const char c = static_cast<char>(file.get());
    file.seekp(static_cast<std::streamoff>(offset));
    file.put(static_cast<char>(c ^ 0x20));
}

} // namespace

class InstallationTest : public QObject {
    Q_OBJECT
private slots:
    void componentThatFailsItsCheckNeverRuns_data();
    void componentThatFailsItsCheckNeverRuns();
    void goodComponentStartsWithTheDirectoryAsItsOneArgument();
    void failureOnTheWayIsReportedAndNothingStarts_data();
    void failureOnTheWayIsReportedAndNothingStarts();
    void startUpInstallsTheShippedGamesOnlyWhenNoGameIsThere_data();
    void startUpInstallsTheShippedGamesOnlyWhenNoGameIsThere();
    void cleanUpDeletesEveryDownloadedComponentButNotWhileAnInstallerWorks();
};

void InstallationTest::componentThatFailsItsCheckNeverRuns_data() {
    QTest::addColumn<QString>("damage");
    QTest::addColumn<bool>("shipped");
    for (const bool shipped : {false, true}) {
        const char* where = shipped ? "shipped" : "downloaded";
        for (const char* damage : {"unsigned", "flipped byte", "other key", "cut short"}) {
            QTest::addRow("%s, %s", where, damage) << QString(damage) << shipped;
        }
    }
}

void InstallationTest::componentThatFailsItsCheckNeverRuns() {
    QFETCH(QString, damage);
    QFETCH(bool, shipped);
    Fixture f;
    QDir(f.components).removeRecursively(); // a first start: nothing made yet
    const QString path = shipped ? f.app + "/add/components.cmp" : f.components + "korvo002.cmp";
    const korvo::KeyPair other = korvo::generateKeyPair();
    std::string file = f.component(path, damage == "other key" ? &other : nullptr);
    if (damage == "unsigned") {
        InstallFixture::write(path, "#!/bin/sh\necho an installer nobody signed\n");
    } else if (damage == "flipped byte") {
        flipByte(file, 3);
    } else if (damage == "cut short") {
        fs::resize_file(file, fs::file_size(file) - 10);
    }

    QVERIFY(!f.installation.InstallComponent(file));
    QVERIFY(f.shell.started.empty());
    QVERIFY(f.entry.written.empty());
    QCOMPARE(f.messages.shown.size(), std::size_t(1));
    const korvo::Message& message = f.messages.shown[0];
    QVERIFY(message.text.starts_with(kAddFailure + file + "\n"));
    QVERIFY(message.text.size() > (kAddFailure + file + "\n").size()); // and why
    QCOMPARE(message.icon, korvo::MessageIcon::Exclamation);
    // A download is thrown away; what came with the launcher stays.
    QCOMPARE(fs::exists(file), shipped);
    if (shipped) {
        QVERIFY(!fs::exists(f.dir()));
    }
}

void InstallationTest::goodComponentStartsWithTheDirectoryAsItsOneArgument() {
    Fixture f;
    QDir(f.components).removeRecursively();
    const std::string shipped = f.component(f.app + "/add/components.cmp");
    QVERIFY(f.installation.InstallComponent(shipped));
    QVERIFY(fs::is_directory(f.dir()));
    QCOMPARE(f.shell.started, std::vector<std::string>{shipped});
    QCOMPARE(f.shell.arguments[0], std::vector<std::string>{f.dir()});
    QCOMPARE(f.entry.written, std::vector<std::string>{f.components.toStdString()});
    const std::string uninstaller = f.components.toStdString() + "uninstall components.exe";
    QCOMPARE(korvo::readFileBytes(uninstaller), std::string("uninstaller"));
    QVERIFY(QFileInfo(QString::fromStdString(uninstaller)).isExecutable());
    QVERIFY(QFileInfo(QString::fromStdString(shipped)).isExecutable());
    QVERIFY(f.messages.shown.empty());

    // A download saved without the right to run it; the uninstaller is brought up to date.
    InstallFixture::write(QString::fromStdString(uninstaller), "an older uninstaller");
    const std::string download = f.component(f.components + "korvo002.cmp");
    QVERIFY(f.installation.InstallComponent(download));
    const auto mode = fs::status(download).permissions();
    QCOMPARE(mode, fs::perms(0755));
    QCOMPARE(korvo::readFileBytes(uninstaller), std::string("uninstaller"));
    QCOMPARE(f.shell.arguments[1], std::vector<std::string>{f.dir()});
    QCOMPARE(f.entry.written.size(), std::size_t(2));
}

void InstallationTest::failureOnTheWayIsReportedAndNothingStarts_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<bool>("tried");
    QTest::newRow("the installer does not start") << "start" << true;
    QTest::newRow("no folder above the components directory") << "parent" << false;
    QTest::newRow("no uninstaller in add/") << "uninstaller" << false;
}

void InstallationTest::failureOnTheWayIsReportedAndNothingStarts() {
    QFETCH(QString, fault);
    QFETCH(bool, tried);
    Fixture f;
    const std::string file = f.component(f.app + "/add/components.cmp");
    if (fault == "start") {
        f.shell.startSucceeds = false;
    } else if (fault == "parent") {
        f.catalogue.SetComponentsDir((f.root.path() + "/gone/Korvo Control Panel").toStdString());
    } else {
        QFile::remove(f.app + "/add/uninstall components.exe");
    }
    QVERIFY(!f.installation.InstallComponent(file));
    QCOMPARE(f.shell.started.size(), std::size_t(tried ? 1 : 0));
    QCOMPARE(f.messages.shown.size(), std::size_t(1));
    QVERIFY(f.messages.shown[0].text.starts_with(kAddFailure + file + "\n"));
    QCOMPARE(f.messages.shown[0].icon, korvo::MessageIcon::Exclamation);
    QVERIFY(fs::exists(file));
}

void InstallationTest::startUpInstallsTheShippedGamesOnlyWhenNoGameIsThere_data() {
    QTest::addColumn<bool>("shipped");
    QTest::addColumn<QStringList>("entries"); // in the components directory
    QTest::addColumn<bool>("installs");
    QTest::newRow("first start") << true << QStringList() << true;
    QTest::newRow("no components directory yet") << true << QStringList{"-"} << true;
    QTest::newRow("a game installed")
        << true << QStringList{"Korvo's Zeltrix/Korvo's Zeltrix.exe"} << false;
    QTest::newRow("in any letter case")
        << true << QStringList{"KORVO'S ZELTRIX/korvo's zeltrix.EXE"} << false;
    QTest::newRow("a file named like a game") << true << QStringList{"korvo's notes"} << false;
    QTest::newRow("only a user's file left after a removal")
        << true << QStringList{"Korvo's Zeltrix/add/my levels/level 10.txt"} << true;
    QTest::newRow("only other things")
        << true << QStringList{"uninstall components.exe", "korvo002.cmp", "Korvo's/", "Other/"}
        << true;
    QTest::newRow("nothing shipped") << false << QStringList() << false;
}

void InstallationTest::startUpInstallsTheShippedGamesOnlyWhenNoGameIsThere() {
    QFETCH(bool, shipped);
    QFETCH(QStringList, entries);
    QFETCH(bool, installs);
    Fixture f;
    for (const QString& entry : entries) {
        if (entry == "-") {
            QDir(f.components).removeRecursively();
        } else {
            f.onDisk(entry);
        }
    }
    std::string file;
    if (shipped) {
        file = f.component(f.app + "/add/components.cmp");
    }
    std::vector<std::string> calls;
    f.installation.StartUpInstall(
        [&] { calls.push_back("wait " + std::to_string(f.shell.started.size())); },
        [&] { calls.push_back("intro"); });
    if (installs) {
        // The logo starts waiting before the installer is started.
        QCOMPARE(calls, std::vector<std::string>{"wait 0"});
        QCOMPARE(f.shell.started, std::vector<std::string>{file});
    } else {
        QCOMPARE(calls, std::vector<std::string>{"intro"});
        QVERIFY(f.shell.started.empty());
    }
}

void InstallationTest::cleanUpDeletesEveryDownloadedComponentButNotWhileAnInstallerWorks() {
    Fixture f;
    for (const char* entry : {"korvo002.cmp", "KORVO003.CMP", "notes.txt",
                              "uninstall components.exe", "folder.cmp/inside.txt"}) {
        f.onDisk(entry);
    }
    f.write(f.app + "/add/components.cmp", "shipped");
    const std::string dir = f.components.toStdString();
    {
        const korvo::ComponentLock installerAtWork(dir, std::chrono::milliseconds(0));
        launcher::DeleteDownloadedComponents(dir);
        QVERIFY(fs::exists(dir + "korvo002.cmp"));
        QVERIFY(fs::exists(dir + "KORVO003.CMP"));
    }
    launcher::DeleteDownloadedComponents(dir);
    QVERIFY(!fs::exists(dir + "korvo002.cmp"));
    QVERIFY(!fs::exists(dir + "KORVO003.CMP"));
    QVERIFY(fs::exists(dir + "notes.txt"));
    QVERIFY(fs::exists(dir + "uninstall components.exe"));
    QVERIFY(fs::exists(dir + "folder.cmp/inside.txt"));
    QVERIFY(fs::exists((f.app + "/add/components.cmp").toStdString()));
}

QTEST_GUILESS_MAIN(InstallationTest)
#include "InstallationTest.moc"
