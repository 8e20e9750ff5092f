// The rules every archive entry must pass before anything is written.
#include "EntryRules.h"

#include <QTest>

using korvo::ArchiveEntry;
using Type = korvo::ArchiveEntry::Type;

Q_DECLARE_METATYPE(ArchiveEntry)

class EntryRulesTest : public QObject {
    Q_OBJECT

private slots:
    void entriesOfTheGameFolderOnly_data() {
        QTest::addColumn<ArchiveEntry>("entry"); // after the game folder "Korvo's X/"
        QTest::addColumn<QString>("why");        // in the refusal; empty: accepted
        QTest::addColumn<bool>("first");         // checked without the game folder before it
        const auto row = [](const char* name, ArchiveEntry entry, const char* why,
                            bool first = false) {
            QTest::newRow(name) << entry << QString(why) << first;
        };
        row("first folder a game's in any letter case", {"KORVO'S x/a", Type::File, {}}, "", true);
        row("first folder not a game's", {"home/", Type::Folder, {}}, "not a game's", true);
        row("two dots inside a name", {"Korvo's X/a..b", Type::File, {}}, "");
        row("link up two levels", {"Korvo's X/a/b/l", Type::Symlink, "../../c/d"}, "");
        row("absolute path", {"/etc/passwd", Type::File, {}}, "absolute");
        row("dot dot", {"Korvo's X/../evil", Type::File, {}}, "out of");
        row("double slash", {"Korvo's X//a", Type::File, {}}, "unusable");
        row("escape character", {"Korvo's X/\x1b]0;x\x07", Type::File, {}}, "control");
        row("device", {"Korvo's X/dev", Type::Special, {}}, "device");
        row("second top-level folder", {"Korvo's Y/a", Type::File, {}}, "more than one folder");
        row("file in place of the folder", {"Korvo's X", Type::File, {}}, "in place of");
        row("manifest", {"Korvo's X/installed files.txt", Type::File, {}}, "own records");
        row("digests", {"Korvo's X/installed digests.txt", Type::Symlink, "a"}, "own records");
        row("link absolute", {"Korvo's X/l", Type::Symlink, "/etc/passwd"}, "outside");
        row("link up too far", {"Korvo's X/add/l", Type::Symlink, "../../x"}, "outside");
        row("link dot dot after a name", {"Korvo's X/l", Type::Symlink, "a/../.."}, "outside");
        row("hard link out", {"Korvo's X/h", Type::HardLink, "/etc/shadow"}, "outside");
        row("hard link to another folder", {"Korvo's X/h", Type::HardLink, "Korvo's Y/a"},
            "outside");
        row("hard link to itself", {"Korvo's X/h", Type::HardLink, "Korvo's X/h"}, "outside");
    }
    void entriesOfTheGameFolderOnly() {
        QFETCH(ArchiveEntry, entry);
        QFETCH(QString, why);
        QFETCH(bool, first);
        korvo::EntryRules rules;
        QVERIFY(first || rules.check({"Korvo's X/", Type::Folder, {}}).empty());
        const std::string fault = rules.check(entry);
        QVERIFY2(why.isEmpty() ? fault.empty() : fault.find(why.toStdString()) != std::string::npos,
                 fault.c_str());
        // A refusal shows names without control characters.
        QVERIFY(std::none_of(fault.begin(), fault.end(),
                             [](char c) { return static_cast<unsigned char>(c) < 0x20; }));
    }
};

QTEST_APPLESS_MAIN(EntryRulesTest)
#include "EntryRulesTest.moc"
