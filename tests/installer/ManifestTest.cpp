// The manifest: written and read back alike; anything that could name a path outside the game
// folder refused.
#include "Manifest.h"

#include <QTest>

class ManifestTest : public QObject {
    Q_OBJECT

private slots:
    void roundTripSortsAndDropsRepeats() {
        const std::vector<std::string> entries = {
            "b.txt", "add/", "add/x y.gif", "b.txt", "installed files.txt", "Korvo's Z.exe"};
        const std::string text = korvo::formatManifest(entries);
        QCOMPARE(text, std::string("Korvo component manifest 1\nKorvo's Z.exe\nadd/\nadd/x "
                                   "y.gif\nb.txt\ninstalled files.txt\n"));
        const auto parsed = korvo::parseManifest(text);
        QVERIFY(parsed.error.empty());
        QCOMPARE(parsed.entries, (std::vector<std::string>{"Korvo's Z.exe", "add/", "add/x y.gif",
                                                           "b.txt", "installed files.txt"}));
        QCOMPARE(korvo::formatManifest(parsed.entries), text);
    }

    void headerOnlyIsAnEmptyManifest() {
        const auto parsed = korvo::parseManifest("Korvo component manifest 1\n");
        QVERIFY(parsed.error.empty());
        QVERIFY(parsed.entries.empty());
    }

    void hostileManifestsAreRefused_data() {
        QTest::addColumn<QByteArray>("text");
        const QByteArray header = "Korvo component manifest 1\n";
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("other header") << QByteArray("Manifest 1\na\n");
        QTest::newRow("newer version") << QByteArray("Korvo component manifest 2\na\n");
        QTest::newRow("header without line end") << QByteArray("Korvo component manifest 1");
        QTest::newRow("absolute path") << header + "/etc/passwd\n";
        QTest::newRow("dot dot") << header + "../other game/x\n";
        QTest::newRow("dot dot inside") << header + "add/../../x\n";
        QTest::newRow("dot dot folder") << header + "add/../\n";
        QTest::newRow("dot") << header + "./x\n";
        QTest::newRow("empty line") << header + "a\n\nb\n";
        QTest::newRow("double slash") << header + "add//x\n";
        QTest::newRow("carriage return") << header + "a\r\n";
        QTest::newRow("control character") << header + "a\x1b[2Jb\n";
        QTest::newRow("zero byte") << header + QByteArray("a\0b\n", 4);
        QTest::newRow("last line without end") << header + "a\nb";
        QTest::newRow("only a slash") << header + "/\n";
    }
    void hostileManifestsAreRefused() {
        QFETCH(QByteArray, text);
        const auto parsed = korvo::parseManifest(std::string_view(text.constData(), text.size()));
        QVERIFY(!parsed.error.empty());
        QVERIFY(parsed.entries.empty());
    }
};

QTEST_APPLESS_MAIN(ManifestTest)
#include "ManifestTest.moc"
