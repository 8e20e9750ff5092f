// The rules every archive entry must pass before anything is written.
#include "Install.h"

#include <QTest>

using korvo::ArchiveEntry;
using Type = korvo::ArchiveEntry::Type;

Q_DECLARE_METATYPE(ArchiveEntry)

class EntryRulesTest : public QObject {
    Q_OBJECT

    static std::string check(const std::vector<ArchiveEntry>& entries) {
        korvo::EntryRules rules;
        for (const auto& entry : entries) {
            if (std::string fault = rules.check(entry); !fault.empty()) {
                return fault;
            }
        }
        return {};
    }

private slots:
    void gameFolderNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("game");
        QTest::newRow("game") << "Korvo's Zeltrix" << true;
        QTest::newRow("any case") << "KORVO'S zeltrix" << true;
        QTest::newRow("nothing after the blank") << "Korvo's " << false;
        QTest::newRow("no blank") << "Korvo'sZeltrix" << false;
        QTest::newRow("other folder") << "Zeltrix" << false;
        QTest::newRow("launcher") << "Korvo Control Panel" << false;
    }
    void gameFolderNames() {
        QFETCH(QString, name);
        QFETCH(bool, game);
        QCOMPARE(korvo::isGameFolderName(name.toStdString()), game);
    }

    void acceptedEntries_data() {
        QTest::addColumn<ArchiveEntry>("entry");
        QTest::newRow("the game folder") << ArchiveEntry{"Korvo's X/", Type::Folder, {}};
        QTest::newRow("a file") << ArchiveEntry{"Korvo's X/add/a b.gif", Type::File, {}};
        QTest::newRow("a folder without slash") << ArchiveEntry{"Korvo's X/add", Type::Folder, {}};
        QTest::newRow("link beside") << ArchiveEntry{"Korvo's X/l", Type::Symlink, "add/a.gif"};
        QTest::newRow("link up one level")
            << ArchiveEntry{"Korvo's X/add/l", Type::Symlink, "../run.exe"};
        QTest::newRow("link up two levels")
            << ArchiveEntry{"Korvo's X/a/b/l", Type::Symlink, "../../c/d"};
        QTest::newRow("hard link")
            << ArchiveEntry{"Korvo's X/h", Type::HardLink, "Korvo's X/add/a"};
        QTest::newRow("two dots inside a name") << ArchiveEntry{"Korvo's X/a..b", Type::File, {}};
    }
    void acceptedEntries() {
        QFETCH(ArchiveEntry, entry);
        const std::string fault = check({{"Korvo's X/", Type::Folder, {}}, entry});
        QVERIFY2(fault.empty(), fault.c_str());
    }

    void refusedEntries_data() {
        QTest::addColumn<ArchiveEntry>("entry");
        QTest::addColumn<QString>("why");
        QTest::newRow("absolute path") << ArchiveEntry{"/etc/passwd", Type::File, {}} << "absolute";
        QTest::newRow("absolute inside")
            << ArchiveEntry{"/Korvo's X/a", Type::File, {}} << "absolute";
        QTest::newRow("dot dot") << ArchiveEntry{"Korvo's X/../evil", Type::File, {}} << "out of";
        QTest::newRow("dot dot at the end")
            << ArchiveEntry{"Korvo's X/add/..", Type::Folder, {}} << "out of";
        QTest::newRow("dot") << ArchiveEntry{"Korvo's X/./a", Type::File, {}} << "unusable";
        QTest::newRow("double slash") << ArchiveEntry{"Korvo's X//a", Type::File, {}} << "unusable";
        QTest::newRow("empty name") << ArchiveEntry{"", Type::File, {}} << "unusable";
        QTest::newRow("file with final slash")
            << ArchiveEntry{"Korvo's X/a/", Type::File, {}} << "unusable";
        QTest::newRow("control character")
            << ArchiveEntry{"Korvo's X/a\nb", Type::File, {}} << "control";
        QTest::newRow("escape character")
            << ArchiveEntry{"Korvo's X/\x1b[2J", Type::File, {}} << "control";
        QTest::newRow("delete character")
            << ArchiveEntry{"Korvo's X/a\x7f", Type::File, {}} << "control";
        QTest::newRow("device") << ArchiveEntry{"Korvo's X/dev", Type::Special, {}} << "device";
        QTest::newRow("second top-level folder")
            << ArchiveEntry{"Korvo's Y/a", Type::File, {}} << "more than one folder";
        QTest::newRow("file beside the folder")
            << ArchiveEntry{"readme.txt", Type::File, {}} << "more than one folder";
        QTest::newRow("manifest") << ArchiveEntry{"Korvo's X/installed files.txt", Type::File, {}}
                                  << "list of installed files";
        QTest::newRow("link absolute")
            << ArchiveEntry{"Korvo's X/l", Type::Symlink, "/etc/passwd"} << "outside";
        QTest::newRow("link up out of the game")
            << ArchiveEntry{"Korvo's X/l", Type::Symlink, "../Korvo's Y/a"} << "outside";
        QTest::newRow("link up too far")
            << ArchiveEntry{"Korvo's X/add/l", Type::Symlink, "../../x"} << "outside";
        QTest::newRow("link dot dot after a name")
            << ArchiveEntry{"Korvo's X/l", Type::Symlink, "a/s/../.."} << "outside";
        QTest::newRow("link to the folder above")
            << ArchiveEntry{"Korvo's X/add/l", Type::Symlink, ".."} << "outside";
        QTest::newRow("link to itself's folder")
            << ArchiveEntry{"Korvo's X/l", Type::Symlink, "."} << "outside";
        QTest::newRow("link empty") << ArchiveEntry{"Korvo's X/l", Type::Symlink, ""} << "outside";
        QTest::newRow("hard link out")
            << ArchiveEntry{"Korvo's X/h", Type::HardLink, "/etc/shadow"} << "outside";
        QTest::newRow("hard link up")
            << ArchiveEntry{"Korvo's X/h", Type::HardLink, "Korvo's X/../x"} << "outside";
        QTest::newRow("hard link to another folder")
            << ArchiveEntry{"Korvo's X/h", Type::HardLink, "Korvo's Y/a"} << "outside";
        QTest::newRow("hard link to the game folder")
            << ArchiveEntry{"Korvo's X/h", Type::HardLink, "Korvo's X"} << "outside";
        QTest::newRow("hard link to itself")
            << ArchiveEntry{"Korvo's X/h", Type::HardLink, "Korvo's X/h"} << "outside";
        QTest::newRow("file in place of the game folder")
            << ArchiveEntry{"Korvo's X", Type::File, {}} << "in place of its folder";
    }
    void refusedEntries() {
        QFETCH(ArchiveEntry, entry);
        QFETCH(QString, why);
        const std::string fault = check({{"Korvo's X/", Type::Folder, {}}, entry});
        QVERIFY2(fault.find(why.toStdString()) != std::string::npos, fault.c_str());
    }

    void firstFolderMustBeAGame() {
        const std::string fault = check({{"home/", Type::Folder, {}}});
        QVERIFY2(fault.find("not a game's") != std::string::npos, fault.c_str());
        korvo::EntryRules rules;
        QVERIFY(rules.check({"Korvo's X/a", Type::File, {}}).empty());
        QCOMPARE(rules.gameFolder(), std::string("Korvo's X"));
    }

    void refusalShowsNoControlCharacters() {
        const std::string fault =
            check({{"Korvo's X/", Type::Folder, {}}, {"Korvo's X/\x1b]0;x\x07", Type::File, {}}});
        QVERIFY(!fault.empty());
        for (const char c : fault) {
            QVERIFY(static_cast<unsigned char>(c) >= 0x20);
        }
    }
};

QTEST_APPLESS_MAIN(EntryRulesTest)
#include "EntryRulesTest.moc"
