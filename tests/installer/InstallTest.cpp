// Installing components into a components directory: what lands where, and that every failure
// leaves the directory as it was.
#include "Install.h"
#include "ComponentFixture.h"
#include "ComponentLock.h"
#include "Manifest.h"

#include <QTest>

#include <random>

using namespace fixture;

namespace {

struct Case {
    std::vector<Entry> entries;
    std::string why;
};

} // namespace

Q_DECLARE_METATYPE(Case)

class InstallTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    fs::path m_root;       // holds the components
    fs::path m_components; // the components directory

    korvo::InstallResult install(const fs::path& component, const korvo::InstallHooks& hooks = {}) {
        return korvo::installComponent(component, m_components, testKeys().publicKey, hooks);
    }
    fs::path game() const { return m_components / "Korvo's Test"; }

    // The components directory as it was: only the lock file may have appeared.
    void expectUnchanged(const std::map<std::string, std::string>& before) {
        auto after = snapshot(m_components);
        after.erase(std::string(korvo::kLockFileName));
        auto expected = before;
        expected.erase(std::string(korvo::kLockFileName));
        QCOMPARE(after, expected);
    }

    static std::vector<Entry> smallGame() {
        return {folder("Korvo's Test/"), file("Korvo's Test/Korvo's Test.exe", "program"),
                folder("Korvo's Test/add/"), file("Korvo's Test/add/questions.txt", "1+1=2")};
    }

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        m_root = m_dir->path().toStdString();
        m_components = m_root / "Korvo Game Components";
        fs::create_directory(m_components);
        writeText(m_components / "uninstall components.exe", "uninstaller");
    }

    void installsTheGameFolderWithItsManifest() {
        auto entries = smallGame();
        entries.push_back(file("Korvo's Test/add/run", "#!"));
        entries.back().perm = 0755;
        entries.push_back(symlinkTo("Korvo's Test/add/latest", "questions.txt"));
        entries.push_back(
            hardlinkTo("Korvo's Test/add/copy.txt", "Korvo's Test/add/questions.txt"));
        entries.push_back(file("Korvo's Test/deep/er/file")); // folders not in the archive
        entries.push_back(file("Korvo's Test/add/\u00dcbung \u00e9t\u00e9.txt", "utf-8"));
        const auto result = install(componentOf(m_root, archiveOf(entries)));
        QVERIFY2(result.ok, result.reason.c_str());
        QCOMPARE(result.gameFolder, std::string("Korvo's Test"));

        QCOMPARE(readText(game() / "add/questions.txt"), std::string("1+1=2"));
        QCOMPARE(fs::read_symlink(game() / "add/latest"), fs::path("questions.txt"));
        QCOMPARE(fs::hard_link_count(game() / "add/copy.txt"), std::uintmax_t(2));
        QVERIFY((fs::status(game() / "add/run").permissions() & fs::perms::owner_exec) !=
                fs::perms::none);
        QVERIFY((fs::status(game() / "add/questions.txt").permissions() & fs::perms::owner_exec) ==
                fs::perms::none);
        const auto manifest = korvo::parseManifest(readText(game() / korvo::kManifestName));
        QVERIFY2(manifest.error.empty(), manifest.error.c_str());
        const std::vector<std::string> expected = {"Korvo's Test.exe",
                                                   "add/",
                                                   "add/copy.txt",
                                                   "add/latest",
                                                   "add/questions.txt",
                                                   "add/run",
                                                   "add/\u00dcbung \u00e9t\u00e9.txt",
                                                   "deep/",
                                                   "deep/er/",
                                                   "deep/er/file",
                                                   "installed files.txt"};
        QCOMPARE(manifest.entries, expected);
        // Nothing else is left in the components directory.
        const std::vector<std::string> left = [this] {
            std::vector<std::string> names;
            for (const auto& item : fs::directory_iterator(m_components)) {
                names.push_back(item.path().filename().string());
            }
            std::sort(names.begin(), names.end());
            return names;
        }();
        QCOMPARE(left, (std::vector<std::string>{".components.lock", "Korvo's Test",
                                                 "uninstall components.exe"}));
    }

    void reportsProgressUpToTheArchiveSize() {
        std::mt19937 random(7);
        std::string big(3 << 20, '\0'); // random bytes: the archive stays as large
        for (char& c : big) {
            c = static_cast<char>(random());
        }
        auto entries = smallGame();
        entries.push_back(file("Korvo's Test/add/big.bin", big));
        const fs::path component = componentOf(m_root, archiveOf(entries));
        std::vector<std::uint64_t> seen;
        std::uint64_t total = 0;
        korvo::InstallHooks hooks;
        hooks.progress = [&](std::uint64_t done, std::uint64_t all) {
            seen.push_back(done);
            total = all;
        };
        std::string named;
        hooks.named = [&](const std::string& name) { named = name; };
        QVERIFY(install(component, hooks).ok);
        QCOMPARE(named, std::string("Korvo's Test"));
        QVERIFY(seen.size() > 2);
        QVERIFY(std::is_sorted(seen.begin(), seen.end()));
        QCOMPARE(seen.back(), total);
        QCOMPARE(total, korvo::verifyComponent(component, testKeys().publicKey).archiveSize);
    }

    void hostileArchivesLeaveNothingBehind_data() {
        QTest::addColumn<Case>("hostile");
        const auto with = [](Entry extra) {
            auto entries = smallGame();
            entries.push_back(std::move(extra));
            return entries;
        };
        QTest::newRow("absolute path") << Case{with(file("/tmp/korvo-evil")), "absolute"};
        QTest::newRow("dot dot") << Case{with(file("Korvo's Test/../../evil")), "out of"};
        QTest::newRow("symlink out")
            << Case{with(symlinkTo("Korvo's Test/add/l", "/etc")), "outside"};
        QTest::newRow("symlink up and out")
            << Case{with(symlinkTo("Korvo's Test/l", "../uninstall components.exe")), "outside"};
        QTest::newRow("hard link out")
            << Case{with(hardlinkTo("Korvo's Test/h", "uninstall components.exe")), "outside"};
        Entry device{"Korvo's Test/add/null", AE_IFCHR, {}, {}, {}, 0666};
        QTest::newRow("device") << Case{with(device), "device"};
        Entry fifo{"Korvo's Test/add/pipe", AE_IFIFO, {}, {}, {}, 0666};
        QTest::newRow("fifo") << Case{with(fifo), "device, pipe"};
        QTest::newRow("two top-level folders")
            << Case{with(file("Korvo's Other/a")), "more than one folder"};
        QTest::newRow("not a game folder")
            << Case{{folder("Games/"), file("Games/a")}, "not a game's"};
        QTest::newRow("same file twice")
            << Case{with(file("Korvo's Test/add/questions.txt", "again")), "File exists"};
        QTest::newRow("empty archive") << Case{{}, "no game"};
        QTest::newRow("write through a symlink")
            << Case{{folder("Korvo's Test/"), symlinkTo("Korvo's Test/s", "add"),
                     folder("Korvo's Test/add/"), file("Korvo's Test/s/x")},
                    "Cannot open"};
    }
    void hostileArchivesLeaveNothingBehind() {
        QFETCH(Case, hostile);
        const auto before = snapshot(m_components);
        const auto result = install(componentOf(m_root, archiveOf(hostile.entries)));
        QVERIFY(!result.ok);
        QVERIFY2(result.reason.find(hostile.why) != std::string::npos, result.reason.c_str());
        expectUnchanged(before);
        QVERIFY(!fs::exists("/tmp/korvo-evil"));
    }

    void damagedArchiveLeavesNothingBehind() {
        std::string archive = archiveOf(smallGame());
        archive.resize(archive.size() - 20); // signed as it is: only the archive is bad
        const auto before = snapshot(m_components);
        const auto result = install(componentOf(m_root, archive));
        QVERIFY(!result.ok);
        QVERIFY2(result.reason.find("damaged") != std::string::npos, result.reason.c_str());
        expectUnchanged(before);
    }

    void alteredComponentInstallsNothing() {
        const fs::path component = componentOf(m_root, archiveOf(smallGame()));
        std::string bytes = readText(component);
        bytes[bytes.size() / 2] ^= 0x20;
        writeText(component, bytes);
        const auto before = snapshot(m_components);
        const auto result = install(component);
        QVERIFY(!result.ok);
        QVERIFY2(result.reason.find("signature") != std::string::npos, result.reason.c_str());
        expectUnchanged(before);
    }

    void missingComponentsFolderIsRefused() {
        const fs::path component = componentOf(m_root, archiveOf(smallGame()));
        const auto result =
            korvo::installComponent(component, m_root / "none", testKeys().publicKey);
        QVERIFY(!result.ok);
        QVERIFY2(result.reason.find("none") != std::string::npos, result.reason.c_str());
        QVERIFY(!fs::exists(m_root / "none"));
    }

    void readOnlyComponentsFolderIsRefusedUnchanged() {
        const fs::path component = componentOf(m_root, archiveOf(smallGame()));
        using fs::perms;
        const perms readOnly = perms::owner_read | perms::owner_exec | perms::group_read |
                               perms::group_exec | perms::others_read | perms::others_exec;
        fs::permissions(m_root, readOnly | perms::owner_write);
        fs::permissions(component, perms::owner_read | perms::group_read | perms::others_read);
        fs::permissions(m_components, readOnly);
        const auto before = snapshot(m_components);
        const fs::path components = m_components;
        const int status = runUnprivileged([&] {
            const auto result =
                korvo::installComponent(component, components, testKeys().publicKey);
            return !result.ok && result.reason.find("permission") != std::string::npos ? 0 : 1;
        });
        fs::permissions(m_components, readOnly | perms::owner_write);
        if (status == -1) {
            QSKIP("no unprivileged user to run as");
        }
        QCOMPARE(status, 0);
        QCOMPARE(snapshot(m_components), before);
    }

    void fullDiskLeavesNothingBehind() {
        auto entries = smallGame();
        entries.push_back(file("Korvo's Test/add/big.bin", std::string(256 * 1024, 'x')));
        const fs::path component = componentOf(m_root, archiveOf(entries));
        const auto before = snapshot(m_components);
        const fs::path components = m_components;
        // No file may grow past 64 KiB: the big one fails half-way, as on a full disk.
        const int status = runWithFileLimit(64 * 1024, [&] {
            const auto result =
                korvo::installComponent(component, components, testKeys().publicKey);
            return !result.ok && result.reason.find("big.bin") != std::string::npos ? 0 : 1;
        });
        QCOMPARE(status, 0);
        expectUnchanged(before);
    }

    void cancelledInstallationLeavesNothingBehind() {
        auto entries = smallGame();
        entries.push_back(file("Korvo's Test/add/big.bin", std::string(4 << 20, 'x')));
        const auto before = snapshot(m_components);
        korvo::InstallHooks hooks;
        int calls = 0;
        hooks.cancelled = [&] { return ++calls > 2; };
        const auto result = install(componentOf(m_root, archiveOf(entries)), hooks);
        QVERIFY(!result.ok);
        QVERIFY2(result.reason.find("cancelled") != std::string::npos, result.reason.c_str());
        expectUnchanged(before);
    }

    void leftoversOfAKilledInstallerAreSweptAway() {
        writeText(m_components / ".korvo-setup-abc123/Korvo's Test/half", "half");
        QVERIFY(install(componentOf(m_root, archiveOf(smallGame()))).ok);
        QVERIFY(!fs::exists(m_components / ".korvo-setup-abc123"));
    }

    void existingFolderKeepsTheUsersFiles() {
        // What a removal left behind: the user's own files, one named like a game file.
        writeText(game() / "my notes.txt", "mine");
        writeText(game() / "add/questions.txt", "my own questions");
        writeText(game() / "add/mine/deep.txt", "deep");
        const auto result = install(componentOf(m_root, archiveOf(smallGame())));
        QVERIFY2(result.ok, result.reason.c_str());
        QCOMPARE(readText(game() / "my notes.txt"), std::string("mine"));
        QCOMPARE(readText(game() / "add/questions.txt"), std::string("1+1=2"));
        QCOMPARE(readText(game() / "add/questions.txt.kept"), std::string("my own questions"));
        QCOMPARE(readText(game() / "add/mine/deep.txt"), std::string("deep"));
        const auto manifest = korvo::parseManifest(readText(game() / korvo::kManifestName));
        QCOMPARE(manifest.entries,
                 (std::vector<std::string>{"Korvo's Test.exe", "add/", "add/questions.txt",
                                           "installed files.txt"}));
    }

    void reinstallingReplacesTheInstalledFilesAndNamesBoth() {
        auto first = smallGame();
        first.push_back(file("Korvo's Test/add/old.txt", "old"));
        QVERIFY(install(componentOf(m_root, archiveOf(first), "first.cmp")).ok);
        writeText(game() / "add/questions.txt", "changed by the user"); // still ours
        auto second = smallGame();
        second[1].data = "program 2";
        const auto result = install(componentOf(m_root, archiveOf(second), "second.cmp"));
        QVERIFY2(result.ok, result.reason.c_str());
        QCOMPARE(readText(game() / "Korvo's Test.exe"), std::string("program 2"));
        QCOMPARE(readText(game() / "add/questions.txt"), std::string("1+1=2"));
        QVERIFY(!fs::exists(game() / "add/questions.txt.kept"));
        const auto manifest = korvo::parseManifest(readText(game() / korvo::kManifestName));
        QVERIFY(std::count(manifest.entries.begin(), manifest.entries.end(), "add/old.txt") == 1);
    }

    void failedMergeIsUndone() {
        QVERIFY(install(componentOf(m_root, archiveOf(smallGame()), "first.cmp")).ok);
        writeText(game() / "my notes.txt", "mine");
        auto second = smallGame();
        second[1].data = "program 2";
        second.push_back(file("Korvo's Test/add/new.txt", "new"));
        const fs::path component = componentOf(m_root, archiveOf(second), "second.cmp");
        // Everything may be changed but add/, so the merge fails half-way.
        using fs::perms;
        if (::geteuid() == 0) {
            for (const auto& item : fs::recursive_directory_iterator(m_components)) {
                QVERIFY(::lchown(item.path().c_str(), 65534, 65534) == 0);
            }
            QVERIFY(::lchown(m_components.c_str(), 65534, 65534) == 0);
            QVERIFY(::lchown((game() / "add").c_str(), 0, 0) == 0);
        } else {
            fs::permissions(game() / "add", perms::owner_read | perms::owner_exec);
        }
        fs::permissions(m_root, perms::owner_all | perms::others_read | perms::others_exec);
        fs::permissions(component, perms::owner_read | perms::others_read);
        const auto before = snapshot(m_components);
        const fs::path components = m_components;
        const int status = runUnprivileged([&] {
            const auto result =
                korvo::installComponent(component, components, testKeys().publicKey);
            return !result.ok && result.reason.find("new.txt") != std::string::npos ? 0 : 1;
        });
        fs::permissions(game() / "add", perms::owner_all);
        if (status == -1) {
            QSKIP("no unprivileged user to run as");
        }
        QCOMPARE(status, 0);
        expectUnchanged(before);
    }

    void gameFolderThatIsALinkIsRefused() {
        fs::create_directory(m_root / "elsewhere");
        fs::create_directory_symlink(m_root / "elsewhere", game());
        const auto result = install(componentOf(m_root, archiveOf(smallGame())));
        QVERIFY(!result.ok);
        QVERIFY(fs::is_empty(m_root / "elsewhere"));
    }

    void secondInstallationWaitsForTheLock() {
        const fs::path component = componentOf(m_root, archiveOf(smallGame()));
        auto lock = std::make_unique<korvo::ComponentLock>(m_components, std::chrono::seconds(1));
        bool waited = false;
        korvo::InstallHooks hooks;
        hooks.lockTimeout = std::chrono::milliseconds(300);
        hooks.waiting = [&] { waited = true; };
        auto result = install(component, hooks);
        QVERIFY(waited);
        QVERIFY(!result.ok);
        QVERIFY2(result.reason.find("still running") != std::string::npos, result.reason.c_str());
        QVERIFY(!fs::exists(game()));

        // Released while the second one waits: it goes on.
        hooks.lockTimeout = std::chrono::seconds(20);
        std::thread release([&lock] {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            lock.reset();
        });
        result = install(component, hooks);
        release.join();
        QVERIFY2(result.ok, result.reason.c_str());
        QVERIFY(fs::exists(game() / korvo::kManifestName));
    }
};

QTEST_APPLESS_MAIN(InstallTest)
#include "InstallTest.moc"
