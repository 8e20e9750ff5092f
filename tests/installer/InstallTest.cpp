// Installing components into a components directory: what lands where, and that every failure
// leaves the directory as it was.
#include "Install.h"
#include "ComponentFixture.h"
#include "Manifest.h"
#include "Staging.h"

#include <QTest>

#include <csignal>

#include <fcntl.h>

using namespace fixture;
using Entries = std::vector<Entry>;

Q_DECLARE_METATYPE(Entries)

class InstallTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    fs::path m_root;       // holds the components
    fs::path m_components; // the components directory

    korvo::InstallResult install(const fs::path& component, const korvo::InstallHooks& hooks = {}) {
        return korvo::installComponent(component, m_components, testKeys().publicKey, hooks);
    }
    fs::path game() const { return m_components / "Korvo's Test"; }
    static Entries smallGame(const Entries& more = {}) {
        Entries entries{folder("Korvo's Test/"), file("Korvo's Test/Korvo's Test.exe", "program"),
                        folder("Korvo's Test/add/"),
                        file("Korvo's Test/add/questions.txt", "1+1=2")};
        entries.insert(entries.end(), more.begin(), more.end());
        return entries;
    }

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        m_root = m_dir->path().toStdString();
        m_components = m_root / "Korvo Game Components";
        writeText(m_components / "uninstall components.exe", "uninstaller");
    }

    void installsTheGameFolderWithItsManifest() {
        writeText(m_components / ".korvo-setup-abc123/replaced/0", "an older setup's");
        auto entries = smallGame(
            {file("Korvo's Test/add/run", "#!"),
             symlinkTo("Korvo's Test/add/latest", "questions.txt"),
             Entry{"Korvo's Test/add/copy", AE_IFREG, {}, {}, "Korvo's Test/add/questions.txt"},
             file("Korvo's Test/deep/er/file"), // folders not in the archive
             file("Korvo's Test/add/\u00dcbung.txt", "utf-8")});
        entries[4].perm = 0755;
        const auto result = install(componentOf(m_root, entries, {"add/questions.txt"}));
        QVERIFY2(result.ok && result.gameFolder == "Korvo's Test", result.reason.c_str());
        // Nothing else: no staging folder; what older setup programs left stays.
        QCOMPARE(
            listing(m_components),
            QString(".korvo-setup-abc123=folder;.korvo-setup-abc123/replaced=folder;"
                    ".korvo-setup-abc123/replaced/0=file:an older setup's;Korvo's Test=folder;"
                    "Korvo's Test/Korvo's Test.exe=file:program;Korvo's Test/add=folder;"
                    "Korvo's Test/add/copy=file:1+1=2;Korvo's Test/add/latest=link:questions.txt;"
                    "Korvo's Test/add/questions.txt=file:1+1=2;Korvo's Test/add/run=file:#!;"
                    "Korvo's Test/add/\u00dcbung.txt=file:utf-8;Korvo's Test/deep=folder;"
                    "Korvo's Test/deep/er=folder;Korvo's Test/deep/er/file=file:data;"
                    "Korvo's Test/installed digests.txt=file:Korvo installed digests 1\n"
                    "version 1.0\nfile # Korvo's Test.exe\nfile # add/copy\n"
                    "player # add/questions.txt\nfile # add/run\nfile # add/\u00dcbung.txt\n"
                    "file # deep/er/file\n;"
                    "Korvo's Test/installed files.txt=file:Korvo component manifest 1\n"
                    "Korvo's Test.exe\nadd/\nadd/copy\nadd/latest\nadd/questions.txt\nadd/run\n"
                    "add/\u00dcbung.txt\ndeep/\ndeep/er/\ndeep/er/file\ninstalled digests.txt\n"
                    "installed files.txt\n;"
                    "uninstall components.exe=file:uninstaller;"));
        QCOMPARE(fs::hard_link_count(game() / "add/copy"), std::uintmax_t(2));
        QCOMPARE(fs::status(game() / "add/run").permissions(), fs::perms(0755));
    }

    void failedInstallationLeavesEverythingAsItWas_data() {
        QTest::addColumn<QString>("fault"); // besides the archive's own
        QTest::addColumn<Entries>("entries");
        QTest::addColumn<QString>("why"); // in the reason given
        const Entries big{file("Korvo's Test/add/big.bin", std::string(1 << 20, 'x'))};
        Entries merged = smallGame({file("Korvo's Test/add/new.txt", "new")});
        merged[1].data = "program 2";
        QTest::newRow("an entry refused once extraction began")
            << "" << smallGame({file("Korvo's Test/../../evil")}) << "out of";
        QTest::newRow("writing through a link")
            << ""
            << Entries{folder("Korvo's Test/"), symlinkTo("Korvo's Test/s", "add"),
                       folder("Korvo's Test/add/"), file("Korvo's Test/s/x")}
            << "Cannot open";
        QTest::newRow("the same file twice")
            << "" << smallGame({file("Korvo's Test/add/questions.txt", "2")}) << "File exists";
        QTest::newRow("an empty archive") << "" << Entries{} << "no game";
        QTest::newRow("more entries than recorded") << "entries" << smallGame() << "entries it";
        QTest::newRow("more bytes than recorded") << "bytes" << smallGame() << "bytes it";
        QTest::newRow("more than the disk holds") << "huge" << smallGame() << "free space";
        QTest::newRow("another game than it says") << "named" << smallGame() << "says it holds";
        QTest::newRow("a damaged archive") << "cut archive" << smallGame() << "damaged";
        QTest::newRow("the game folder is a link") << "link" << smallGame() << "existing";
        QTest::newRow("cancelled") << "cancel" << smallGame(big) << "cancelled";
        QTest::newRow("a full disk") << "full disk" << smallGame(big) << "big.bin";
        QTest::newRow("a read-only components folder")
            << "read-only" << smallGame() << "permission";
        QTest::newRow("an installed game's folder that cannot be moved")
            << "merge" << merged << "permission";
    }
    void failedInstallationLeavesEverythingAsItWas() {
        QFETCH(QString, fault);
        QFETCH(Entries, entries);
        QFETCH(QString, why);
        if (fault == "merge") {
            QVERIFY(install(componentOf(m_root, smallGame())).ok);
            writeText(game() / "my notes.txt", "mine");
        } else if (fault == "link") {
            fs::create_directory(m_root / "elsewhere");
            fs::create_directory_symlink(m_root / "elsewhere", game());
        }
        std::string archive = archiveOf(entries);
        // Signed as it is: only the archive is bad.
        archive.resize(archive.size() - (fault == "cut archive" ? 20 : 0));
        auto info = describedAs(entries);
        info.entries -= fault == "entries";
        info.unpackedSize -= fault == "bytes";
        info.unpackedSize += fault == "huge" ? std::uint64_t{1} << 60 : 0;
        info.game += fault == "named" ? "s" : "";
        const fs::path component = componentOf(m_root, archive, info);
        korvo::InstallHooks hooks;
        int checks = 0;
        hooks.cancelled = [&] { return fault == "cancel" && ++checks > 2; };
        const fs::path locked = fault == "read-only" ? m_components
                                : fault == "merge"   ? game()
                                                     : fs::path();
        lockAgainstChanges(m_components, locked);
        const QString before = listing(m_components);
        const int status = runInChild(
            [&] {
                const std::string reason = install(component, hooks).reason;
                qInfo("%s", reason.c_str());
                return int(reason.find(why.toStdString()) == std::string::npos);
            },
            fault == "full disk" ? 64 * 1024 : RLIM_INFINITY); // no file may grow past 64 KiB
        if (!locked.empty()) {
            fs::permissions(locked, fs::perms::owner_all); // so that it can be cleaned up
        }
        QCOMPARE(status, 0);
        QCOMPARE(listing(m_components), before);
    }

    // A reinstall or an update restores every file but those of the player's that the player
    // changed, and keeps those in place; a file of the user's in the way of a new one is kept
    // beside it, and what the update no longer ships stays, still named for removal.
    void reinstallKeepsOnlyWhatThePlayerChanged_data() {
        QTest::addColumn<QString>("file");  // changed before the update
        QTest::addColumn<QString>("bytes"); // empty: left as installed
        QTest::addColumn<bool>("digests");  // recorded by the earlier installation
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("kept"); // beside it; empty: nothing
        const auto row = [](const char* name, const char* file, const char* bytes, bool digests,
                            const char* after, const char* kept = "") {
            QTest::newRow(name) << QString(file) << QString(bytes) << digests << QString(after)
                                << QString(kept);
        };
        row("a changed hall of fame", "add/hiscores.txt", "Ann 900", true, "Ann 900");
        row("a changed hall of fame, installed before digests were recorded", "add/hiscores.txt",
            "Ann 900", false, "Ann 900");
        row("an unchanged hall of fame", "add/hiscores.txt", "", true, "new");
        row("a damaged program", "Korvo's Test.exe", "damaged", true, "new");
        row("the user's file in the way of a new one", "add/new.txt", "mine", true, "new", "mine");
    }
    void reinstallKeepsOnlyWhatThePlayerChanged() {
        QFETCH(QString, file);
        QFETCH(QString, bytes);
        QFETCH(QString, kept);
        auto entries = smallGame({fixture::file("Korvo's Test/add/hiscores.txt", "shipped"),
                                  fixture::file("Korvo's Test/old")});
        QVERIFY(install(componentOf(m_root, entries, {"add/hiscores.txt"})).ok);
        const fs::path changed = game() / file.toStdString();
        if (!bytes.isEmpty()) {
            writeText(changed, bytes.toStdString());
        }
        writeText(game() / "my folder/notes.txt", "mine");
        QFETCH(bool, digests);
        if (!digests) {
            fs::remove(game() / korvo::kDigestsName);
        }
        entries[1].data = entries[4].data = "new";
        entries[5] = fixture::file("Korvo's Test/add/new.txt", "new");
        const auto result = install(componentOf(m_root, entries, {"add/hiscores.txt"}));
        QVERIFY2(result.ok, result.reason.c_str());
        QTEST(QString::fromStdString(readText(changed)), "after");
        QCOMPARE(QString::fromStdString(readText(changed.string() + ".kept")), kept);
        QCOMPARE(readText(game() / "my folder/notes.txt"), std::string("mine"));
        QVERIFY(readText(game() / korvo::kManifestName).ends_with("installed files.txt\nold\n"));
        QVERIFY(fs::exists(game() / "old"));
    }

    // Stopped before each step that changes the file system, an installation leaves the game
    // folder whole, old or new; the next one finishes or undoes what it left, and succeeds.
    void stoppedAtAnyStepLeavesOneWholeGame_data() {
        QTest::addColumn<bool>("installed"); // an earlier version, played
        QTest::addColumn<bool>("exchange");
        QTest::newRow("reinstall, the folders exchanged") << true << true;
        QTest::newRow("reinstall, a pair of renames") << true << false;
        QTest::newRow("first install") << false << true;
    }
    void stoppedAtAnyStepLeavesOneWholeGame() {
        QFETCH(bool, installed);
        QFETCH(bool, exchange);
        korvo::InstallHooks hooks;
        hooks.exchange = exchange;
        auto entries = smallGame({file("Korvo's Test/add/hiscores.txt", "shipped")});
        const fs::path earlier = componentOf(m_root / "1", entries, {"add/hiscores.txt"});
        entries[1].data = "program 2";
        entries.push_back(file("Korvo's Test/add/new.txt", "new"));
        const fs::path component = componentOf(m_root / "2", entries, {"add/hiscores.txt"});
        const auto gameListing = [this] { return fs::exists(game()) ? listing(game()) : ""; };
        const auto prepare = [&] {
            fs::remove_all(m_components);
            writeText(m_components / "uninstall components.exe", "uninstaller");
            if (installed) {
                QVERIFY(install(earlier).ok);
                writeText(game() / "add/hiscores.txt", "Ann 900");
                writeText(game() / "my notes.txt", "mine");
            }
        };
        prepare();
        const QString before = gameListing();
        int steps = 0;
        int stopAt = 0; // 0: never
        hooks.beforeStep = [&](std::string_view) {
            if (++steps == stopAt) {
                ::raise(SIGKILL);
            }
        };
        QVERIFY(install(component, hooks).ok);
        const int total = steps;
        const QString after = listing(m_components);
        const QString afterGame = gameListing();
        QVERIFY(!installed || readText(game() / "add/hiscores.txt") == "Ann 900");

        for (int stop = 1; stop <= total; ++stop) {
            prepare();
            const pid_t child = ::fork();
            if (child == 0) {
                steps = 0;
                stopAt = stop;
                install(component, hooks);
                ::_exit(0);
            }
            int status = 0;
            ::waitpid(child, &status, 0);
            QVERIFY(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
            QString left = gameListing();
            if (!exchange && left.isEmpty()) { // between the renames: the journal puts it back
                const korvo::UniqueFd components(::open(m_components.c_str(), O_RDONLY));
                korvo::recoverInterruptedInstallation(components.get(), {});
                left = gameListing();
            }
            QVERIFY2(left == before || left == afterGame,
                     qPrintable(QString("stopped at step %1: ").arg(stop) + left));
            const auto result = install(component, hooks);
            QVERIFY2(result.ok, result.reason.c_str());
            QCOMPARE(listing(m_components), after);
        }
    }
};

QTEST_APPLESS_MAIN(InstallTest)
#include "InstallTest.moc"
