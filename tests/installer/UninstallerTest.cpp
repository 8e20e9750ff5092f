// Removing games: exactly what their manifests name, never what the user added or a player's
// file the player changed, never through a link, and nothing at all by a manifest that is damaged
// or names a path outside its game; then, with no game left, the uninstaller's entries and its own
// file; the entries, the games' menu entries too, only when they belong to this components
// directory.
#include "Uninstaller.h"
#include "ComponentFixture.h"
#include "ComponentLock.h"
#include "DesktopEntry.h"
#include "Install.h"
#include "Manifest.h"

#include <QTest>

using namespace fixture;

class UninstallerTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    fs::path m_root;
    std::unique_ptr<korvo::Registry> m_registry;
    korvo::UninstallPlace m_place;
    const std::vector<Entry> m_game{folder("Korvo's Test/"),
                                    file("Korvo's Test/run.exe"),
                                    folder("Korvo's Test/add/"),
                                    file("Korvo's Test/add/hiscores.txt", "Ann 300"),
                                    folder("Korvo's Test/add/music/"),
                                    file("Korvo's Test/add/music/anthem.mid"),
                                    folder("Korvo's Test/add/pics/"),
                                    file("Korvo's Test/add/pics/a.gif"),
                                    symlinkTo("Korvo's Test/latest", "run.exe")};

    fs::path game() const { return m_place.componentsDir / "Korvo's Test"; }
    korvo::UninstallResult remove() { return korvo::removeGames(m_place, {"Korvo's Test"}); }
    void install(const std::vector<Entry>& entries) {
        QVERIFY(korvo::installComponent(componentOf(m_root, entries, {"add/hiscores.txt"}),
                                        m_place.componentsDir, testKeys().publicKey)
                    .ok);
    }

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        m_root = m_dir->path().toStdString();
        m_registry = std::make_unique<korvo::Registry>(m_dir->path() + "/registry.ini");
        m_place.registry = m_registry.get();
        m_place.componentsDir = m_root / "Korvo Game Components";
        m_place.self = m_place.componentsDir / korvo::kUninstallerFileName;
        m_place.dataHome = m_root / "share";
        writeText(m_place.self, "uninstaller");
        install(m_game);
    }

    void removesWhatWasInstalledAndNothingElse() {
        writeText(game() / "add/music/my song.mid", "mine");
        writeText(game() / "my folder/notes.txt", "notes");
        fs::remove(game() / "run.exe"); // replaced by something of another kind
        writeText(game() / "run.exe/inside.txt", "a folder now");
        // A folder swapped for a link to the user's own.
        writeText(m_root / "precious/a.gif", "precious");
        fs::remove_all(game() / "add/pics");
        fs::create_directory_symlink(m_root / "precious", game() / "add/pics");
        const auto result = remove();
        QVERIFY2(result.ok, result.reason.c_str());
        QCOMPARE(listing(game()),
                 "add=folder;add/music=folder;add/music/my song.mid=file:mine;add/pics=link:" +
                     QString::fromStdString((m_root / "precious").string()) +
                     ";my folder=folder;my folder/notes.txt=file:notes;run.exe=folder;"
                     "run.exe/inside.txt=file:a folder now;");
        QCOMPARE(readText(m_root / "precious/a.gif"), std::string("precious"));
        fs::remove_all(game());
        QVERIFY(remove().ok); // a game that is gone is no failure
    }

    void changedPlayersFileOutlivesRemovalAndTheNextInstallAdoptsIt() {
        writeText(game() / "add/hiscores.txt", "Bob 900");
        const auto result = remove();
        QVERIFY2(result.ok && result.keptPlayerFiles == 1, result.reason.c_str());
        QCOMPARE(listing(game()), "add=folder;add/hiscores.txt=file:Bob 900;");
        install(m_game);
        QCOMPARE(readText(game() / "add/hiscores.txt"), std::string("Bob 900"));
        QVERIFY(!fs::exists(game() / "add/hiscores.txt.kept"));
        QCOMPARE(remove().keptPlayerFiles, 1); // still the player's
    }

    void hostileOrDamagedManifestRemovesNothing_data() {
        QTest::addColumn<QByteArray>("text");
        const QByteArray header = "Korvo component manifest 1\n";
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("newer version") << QByteArray("Korvo component manifest 2\na\n");
        QTest::newRow("absolute path") << header + "/etc/passwd\n";
        QTest::newRow("dot dot") << header + "add/../../x\n";
        QTest::newRow("control character") << header + "a\rb\n";
    }
    void hostileOrDamagedManifestRemovesNothing() {
        QFETCH(QByteArray, text);
        writeText(game() / korvo::kManifestName, text.toStdString());
        const QString before = listing(m_place.componentsDir);
        const auto result = remove();
        QVERIFY2(!result.ok && result.reason.find("damaged") != std::string::npos,
                 result.reason.c_str());
        QCOMPARE(listing(m_place.componentsDir), before);
    }

    void whatCannotBeRemovedStaysNamedForTheNextRemoval() {
        lockAgainstChanges(m_place.componentsDir, game() / "add/music");
        const int status = runInChild(
            [this] { return int(remove().reason.find("anthem.mid") == std::string::npos); });
        fs::permissions(game() / "add/music", fs::perms::owner_all);
        QCOMPARE(status, 0);
        QCOMPARE(readText(game() / korvo::kManifestName),
                 std::string("Korvo component manifest 1\nadd/\nadd/music/\nadd/music/anthem.mid\n"
                             "installed digests.txt\ninstalled files.txt\n"));
        QVERIFY(remove().ok && !fs::exists(game()));
    }

    void noGameLeftTakesTheEntriesAndTheUninstaller_data() {
        QTest::addColumn<QString>("entriesDir"); // the directory the entries name; own: this one
        QTest::addColumn<bool>("another");       // game installed
        // What stays: uninstaller, entry, desktop entry, the removed game's menu entry.
        QTest::addColumn<QString>("left");
        QTest::newRow("the last game, named with a final slash") << "own/" << false << "";
        QTest::newRow("a game left") << "own" << true << "ued";
        QTest::newRow("entries of another directory") << "/opt/other" << false << "edm";
    }
    void noGameLeftTakesTheEntriesAndTheUninstaller() {
        QFETCH(QString, entriesDir);
        QFETCH(bool, another);
        QFETCH(QString, left);
        // The uninstall entry, the desktop entry and the game's menu entry, naming dir as the
        // components directory.
        const std::string dir =
            entriesDir.replace("own", QString::fromStdString(m_place.componentsDir)).toStdString();
        const fs::path desktopEntry = korvo::desktopEntryFile(m_place.dataHome);
        const fs::path menuEntry = korvo::menuEntryFiles(m_place.dataHome, "Korvo's Test").entry;
        m_registry->SetValue(korvo::RegistryRoot::LocalMachine, korvo::kUninstallKey,
                             "UninstallString", dir + "/Uninstall Components.exe");
        writeText(desktopEntry, "[Desktop Entry]\nExec=\"" + dir + "/uninstall\"\n");
        korvo::writeMenuEntry(m_place.dataHome, "Korvo's Test",
                              fs::path(dir) / "Korvo's Test/run.exe", {});
        if (another) {
            install({folder("Korvo's Two/"), file("Korvo's Two/Korvo's Two.exe")});
        }
        const auto result = remove();
        QVERIFY2(result.ok, result.reason.c_str());
        const auto entry = m_registry->QueryValue(korvo::RegistryRoot::LocalMachine,
                                                  korvo::kUninstallKey, "UninstallString");
        QCOMPARE(QString(fs::exists(m_place.self) ? "u" : "") + (entry ? "e" : "") +
                     (fs::exists(desktopEntry) ? "d" : "") + (fs::exists(menuEntry) ? "m" : ""),
                 left);
        QVERIFY(!fs::exists(game())); // gone with what it held
    }

    void waitsForAnInstallationAndGivesUpClearly() {
        const korvo::ComponentLock lock(m_place.componentsDir, std::chrono::seconds(1));
        m_place.lockTimeout = std::chrono::milliseconds(300);
        bool waited = false;
        const auto result = korvo::removeGames(m_place, {"Korvo's Test"}, [&] { waited = true; });
        QVERIFY2(waited && result.reason.find("still running") != std::string::npos,
                 result.reason.c_str());
        QVERIFY(fs::exists(game() / "run.exe"));
    }
};

QTEST_GUILESS_MAIN(UninstallerTest)
#include "UninstallerTest.moc"
