// Packing a folder: what is installed from the component is the folder as it was, and the same
// folder always packs to the same bytes.
#include "ComponentFixture.h"
#include "Install.h"

#include <QTest>

using namespace fixture;

class PackTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    fs::path m_root;
    fs::path m_game;

    fs::path pack(const std::string& name) {
        const fs::path out = m_root / name;
        writeText(m_root / "setup-head", "#!/bin/false\n");
        korvo::packComponent(m_root / "setup-head", m_game, testKeys().secretKey, out);
        return out;
    }

private slots:
    void initTestCase() {
        m_root = m_dir.path().toStdString();
        m_game = m_root / "source" / "Korvo's Packed";
        writeText(m_game / "Korvo's Packed.exe", "program");
        fs::permissions(m_game / "Korvo's Packed.exe", fs::perms::owner_all);
        writeText(m_game / "add/questions.txt", "1+1=2");
        writeText(m_game / "add/empty.txt", "");
        fs::create_directories(m_game / "add/empty folder");
        fs::create_symlink("add/questions.txt", m_game / "latest");
    }

    void installedFolderIsThePackedOne() {
        const fs::path components = m_root / "components";
        fs::create_directory(components);
        const auto result =
            korvo::installComponent(pack("a.cmp"), components, testKeys().publicKey);
        QVERIFY2(result.ok, result.reason.c_str());
        auto installed = snapshot(components / "Korvo's Packed");
        QVERIFY(installed.erase("installed files.txt") == 1);
        QCOMPARE(installed, snapshot(m_game));
        QVERIFY((fs::status(components / "Korvo's Packed/Korvo's Packed.exe").permissions() &
                 fs::perms::owner_exec) != fs::perms::none);
    }

    void sameFolderPacksToTheSameBytes() {
        const fs::path first = pack("first.cmp");
        fs::last_write_time(m_game / "add/questions.txt", fs::file_time_type::clock::now());
        QCOMPARE(readText(pack("second.cmp")), readText(first));
    }

    // A link is packed as a link under its own name, never under the path it points to.
    void linkOutsideIsPackedAsItIsAndRefusedOnInstall() {
        fs::create_directory_symlink("/etc", m_game / "etc");
        const fs::path component = pack("link.cmp");
        fs::remove(m_game / "etc");
        const fs::path components = m_root / "refusing";
        fs::create_directory(components);
        const auto result = korvo::installComponent(component, components, testKeys().publicKey);
        QVERIFY(!result.ok);
        QVERIFY2(result.reason.find("\"Korvo's Packed/etc\" to \"/etc\"") != std::string::npos,
                 result.reason.c_str());
    }
};

QTEST_APPLESS_MAIN(PackTest)
#include "PackTest.moc"
