// Removing a game: exactly what its manifest names, never what the user added, never through a
// link.
#include "Removal.h"
#include "ComponentFixture.h"
#include "Install.h"
#include "Manifest.h"

#include <QTest>

using namespace fixture;

class RemovalTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    fs::path m_root;
    fs::path m_components;

    fs::path game() const { return m_components / "Korvo's Test"; }

    void installGame() {
        const auto archive = archiveOf(
            {folder("Korvo's Test/"), file("Korvo's Test/run.exe"), folder("Korvo's Test/add/"),
             file("Korvo's Test/add/hiscores.txt", "Ann 300"), folder("Korvo's Test/add/music/"),
             file("Korvo's Test/add/music/anthem.mid"),
             symlinkTo("Korvo's Test/add/latest", "hiscores.txt")});
        const auto result = korvo::installComponent(componentOf(m_root, archive), m_components,
                                                    testKeys().publicKey);
        QVERIFY2(result.ok, result.reason.c_str());
    }

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        m_root = m_dir->path().toStdString();
        m_components = m_root / "components";
        fs::create_directory(m_components);
        installGame();
    }

    void findsInstalledGamesOnly() {
        fs::create_directory(m_components / "Korvo's Copied"); // no manifest: not ours
        fs::create_directory(m_components / "Other");
        writeText(m_components / "Other" / korvo::kManifestName, "Korvo component manifest 1\n");
        fs::create_directory_symlink(game(), m_components / "Korvo's Link");
        QCOMPARE(korvo::findInstalledGames(m_components), std::vector<std::string>{"Korvo's Test"});
        QVERIFY_THROWS_EXCEPTION(std::exception, korvo::findInstalledGames(m_root / "none"));
    }

    void removesEverythingInstalledEvenChangedFiles() {
        writeText(game() / "add/hiscores.txt", "Bob 900"); // the game changed it
        const auto result = korvo::removeGame(m_components, "Korvo's Test");
        QVERIFY2(result.ok, result.reason.c_str());
        QVERIFY(!fs::exists(game()));
        QVERIFY(korvo::findInstalledGames(m_components).empty());
    }

    void keepsTheUsersFilesAndTheirFolders() {
        writeText(game() / "add/music/my song.mid", "mine");
        writeText(game() / "my folder/notes.txt", "notes");
        const auto result = korvo::removeGame(m_components, "Korvo's Test");
        QVERIFY2(result.ok, result.reason.c_str());
        QCOMPARE(snapshot(game()),
                 (std::map<std::string, std::string>{{"add", "folder"},
                                                     {"add/music", "folder"},
                                                     {"add/music/my song.mid", "file:mine"},
                                                     {"my folder", "folder"},
                                                     {"my folder/notes.txt", "file:notes"}}));
        QVERIFY(korvo::findInstalledGames(m_components).empty());
    }

    void neverRemovesThroughALink() {
        // The user swapped the music folder for a link to a folder of their own.
        writeText(m_root / "precious/anthem.mid", "precious");
        fs::remove_all(game() / "add/music");
        fs::create_directory_symlink(m_root / "precious", game() / "add/music");
        const auto result = korvo::removeGame(m_components, "Korvo's Test");
        QVERIFY2(result.ok, result.reason.c_str());
        QCOMPARE(readText(m_root / "precious/anthem.mid"), std::string("precious"));
        QVERIFY(fs::is_symlink(game() / "add/music"));
    }

    void replacedByAnotherKindStays() {
        fs::remove(game() / "run.exe");
        writeText(game() / "run.exe/inside.txt", "a folder now");
        QVERIFY(korvo::removeGame(m_components, "Korvo's Test").ok);
        QCOMPARE(readText(game() / "run.exe/inside.txt"), std::string("a folder now"));
    }

    void damagedManifestRemovesNothing() {
        writeText(game() / korvo::kManifestName, "Korvo component manifest 1\n../../x\n");
        const auto before = snapshot(m_components);
        const auto result = korvo::removeGame(m_components, "Korvo's Test");
        QVERIFY(!result.ok);
        QVERIFY2(result.reason.find("damaged") != std::string::npos, result.reason.c_str());
        QCOMPARE(snapshot(m_components), before);
    }

    void whatCannotBeRemovedStaysNamed() {
        using fs::perms;
        // The music folder is write-protected: its file cannot go.
        if (::geteuid() == 0) {
            // Permissions bind only the unprivileged user: everything is theirs but that folder.
            QVERIFY(::lchown(game().c_str(), 65534, 65534) == 0);
            for (const auto& item : fs::recursive_directory_iterator(game())) {
                QVERIFY(::lchown(item.path().c_str(), 65534, 65534) == 0);
            }
            QVERIFY(::lchown((game() / "add/music").c_str(), 0, 0) == 0);
        } else {
            fs::permissions(game() / "add/music", perms::owner_read | perms::owner_exec);
        }
        fs::permissions(m_root, perms::owner_all | perms::others_read | perms::others_exec);
        const fs::path components = m_components;
        const int status = runUnprivileged([&] {
            const auto result = korvo::removeGame(components, "Korvo's Test");
            return !result.ok && result.reason.find("anthem.mid") != std::string::npos ? 0 : 1;
        });
        fs::permissions(game() / "add/music", perms::owner_all);
        if (status == -1) {
            QSKIP("no unprivileged user to run as");
        }
        QCOMPARE(status, 0);
        const auto manifest = korvo::parseManifest(readText(game() / korvo::kManifestName));
        QCOMPARE(manifest.entries,
                 (std::vector<std::string>{"add/", "add/music/", "add/music/anthem.mid",
                                           "installed files.txt"}));
        QVERIFY(!fs::exists(game() / "run.exe"));
        QVERIFY(korvo::removeGame(m_components, "Korvo's Test").ok);
        QVERIFY(!fs::exists(game()));
    }

    void goneGameIsNoFailure() {
        fs::remove_all(game());
        QVERIFY(korvo::removeGame(m_components, "Korvo's Test").ok);
    }
};

QTEST_APPLESS_MAIN(RemovalTest)
#include "RemovalTest.moc"
