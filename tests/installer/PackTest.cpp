// Packing a folder: what is installed from the component is the folder as it was, its links
// packed as links, the same folder always packs to the same bytes, and the component says what
// it holds.
#include "ComponentFixture.h"
#include "Install.h"

#include <QTest>

using namespace fixture;

class PackTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void packedFolderInstallsAsItWasAndPacksAlike() {
        const fs::path root = m_dir.path().toStdString();
        const fs::path game = root / "source/Korvo's Packed";
        writeText(game / "Korvo's Packed.exe", "program");
        writeText(game / "add/empty.txt", "");
        fs::create_directories(game / "add/empty folder");
        fs::create_symlink("add/empty.txt", game / "latest");
        writeText(root / "setup-head", "#!/bin/false\n");
        const auto pack = [&](const char* name, korvo::PackOptions options) {
            korvo::packComponent(root / "setup-head", game, testKeys().secretKey, root / name,
                                 options);
        };
        for (const char* name : {"a.cmp", "b.cmp"}) {
            fs::last_write_time(game / "add/empty.txt", fs::file_time_type::clock::now());
            pack(name, {"2.1.0", {"add/empty.txt"}});
        }
        QCOMPARE(readText(root / "b.cmp"), readText(root / "a.cmp"));
        QCOMPARE(korvo::formatDescription(
                     korvo::verifyComponent(root / "a.cmp", testKeys().publicKey).info),
                 "Game: Korvo's Packed\nVersion: 2.1.0\nUnpacked size: 7\nEntries: 6\n"
                 "Player file: add/empty.txt\n");
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, pack("c.cmp", {"2.1 beta", {}}));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, pack("c.cmp", {"2.1", {"add"}}));
        fs::create_directory(root / "components");
        const auto result =
            korvo::installComponent(root / "a.cmp", root / "components", testKeys().publicKey);
        QVERIFY2(result.ok, result.reason.c_str());
        QCOMPARE(listing(root / "components/Korvo's Packed",
                         {"installed files.txt", "installed digests.txt"}),
                 listing(game));
    }
};

QTEST_APPLESS_MAIN(PackTest)
#include "PackTest.moc"
