// The hall-of-fame table: where new scores go, what any file on disk reads as, the exact bytes
// written, and that a failed save never damages the file already there.
#include <QtTest>

#include "HiScores.h"
#include "Numbers.h"
#include "Text.h"

#include <QTemporaryDir>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <unistd.h>

using zeltrix::HiScoreEntry;
using zeltrix::HiScores;

Q_DECLARE_METATYPE(HiScores)

namespace {
const HiScores kTable{{{"Zara", 5000}, {"Tom", 3000}, {"Rita", 1000}}};

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}
} // namespace

class HiScoresTest : public QObject {
    Q_OBJECT

private slots:
    void insertHiScore_placesBelowEveryScoreNotStrictlyBeaten_data();
    void insertHiScore_placesBelowEveryScoreNotStrictlyBeaten();
    void parseHiScores_alwaysGivesAPlayableTable_data();
    void parseHiScores_alwaysGivesAPlayableTable();
    void loadHiScores_missingFileGivesEmptyTable();
    void saveHiScores_writesThreeQuotedLinesInWindows1252();
    void saveHiScores_awkwardNamesReadBackUnchanged();
    void saveHiScores_readOnlyFolderLeavesOldFile();
    void saveHiScores_interruptedWriteLeavesOldFile();
};

void HiScoresTest::insertHiScore_placesBelowEveryScoreNotStrictlyBeaten_data() {
    QTest::addColumn<qlonglong>("score");
    QTest::addColumn<int>("row");
    QTest::addColumn<HiScores>("expected");
    QTest::newRow("above the best shifts two down")
        << qlonglong(6000) << 0 << HiScores{{{"", 6000}, {"Zara", 5000}, {"Tom", 3000}}};
    QTest::newRow("equal to the best goes second")
        << qlonglong(5000) << 1 << HiScores{{{"Zara", 5000}, {"", 5000}, {"Tom", 3000}}};
    QTest::newRow("equal to the second goes third")
        << qlonglong(3000) << 2 << HiScores{{{"Zara", 5000}, {"Tom", 3000}, {"", 3000}}};
    QTest::newRow("one above the third enters")
        << qlonglong(1001) << 2 << HiScores{{{"Zara", 5000}, {"Tom", 3000}, {"", 1001}}};
    QTest::newRow("equal to the third stays out") << qlonglong(1000) << -1 << kTable;
}

void HiScoresTest::insertHiScore_placesBelowEveryScoreNotStrictlyBeaten() {
    QFETCH(qlonglong, score);
    QFETCH(int, row);
    QFETCH(HiScores, expected);
    HiScores table = kTable;
    QCOMPARE(zeltrix::insertHiScore(table, score), row);
    QVERIFY(table == expected);
}

void HiScoresTest::parseHiScores_alwaysGivesAPlayableTable_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<HiScores>("expected");
    const HiScores empty{{{"", 0}, {"", 0}, {"", 0}}};
    QTest::newRow("three records") << QByteArray("\"Zara\",\"5000\"\r\n\"Tom\",\"3000\"\r\n"
                                                 "\"Rita\",\"1000\"\r\n")
                                   << kTable;
    QTest::newRow("empty") << QByteArray() << empty;
    QTest::newRow("one record") << QByteArray("\"Zara\",\"5000\"\r\n")
                                << HiScores{{{"Zara", 5000}, {"", 0}, {"", 0}}};
    QTest::newRow("two records, LF only, unquoted")
        << QByteArray("Zara, 5000\nTom,3000\n")
        << HiScores{{{"Zara", 5000}, {"Tom", 3000}, {"", 0}}};
    QTest::newRow("four records") << QByteArray("\"Zara\",\"5000\"\r\n\"Tom\",\"3000\"\r\n"
                                                "\"Rita\",\"1000\"\r\n\"Max\",\"10\"\r\n")
                                  << kTable;
    QTest::newRow("score no number")
        << QByteArray("\"Zara\",\"lots\"\r\n\"Tom\",\"\"\r\n\"Rita\",\"12abc\"\r\n")
        << HiScores{{{"Zara", 0}, {"Tom", 0}, {"Rita", 0}}};
    QTest::newRow("whole part of a number")
        << QByteArray("\"Zara\",\" 1250.9\"\r\n\"Tom\",\"1e3\"\r\n")
        << HiScores{{{"Zara", 1250}, {"Tom", 1000}, {"", 0}}};
    QTest::newRow("cut after a name") << QByteArray("\"Zara\",\"5000\"\r\n\"Tom\"")
                                      << HiScores{{{"Zara", 5000}, {"Tom", 0}, {"", 0}}};
    QTest::newRow("Windows-1252 name") << QByteArray("\"Ren\xe9"
                                                     "e \x80\",\"10\"\r\n")
                                       << HiScores{{{"Renée €", 10}, {"", 0}, {"", 0}}};
}

void HiScoresTest::parseHiScores_alwaysGivesAPlayableTable() {
    QFETCH(QByteArray, bytes);
    QFETCH(HiScores, expected);
    QVERIFY(zeltrix::parseHiScores(bytes.toStdString()) == expected);
}

void HiScoresTest::loadHiScores_missingFileGivesEmptyTable() {
    QTemporaryDir dir;
    const HiScores table = zeltrix::loadHiScores(dir.filePath("hiscores.txt").toStdString());
    QVERIFY((table == HiScores{{{"", 0}, {"", 0}, {"", 0}}}));
}

void HiScoresTest::saveHiScores_writesThreeQuotedLinesInWindows1252() {
    QTemporaryDir dir;
    const std::string path = dir.filePath("hiscores.txt").toStdString();
    QVERIFY(zeltrix::saveHiScores({{{"Zara", 12500}, {"Renée 日", 8200}, {"", 0}}}, path));
    QCOMPARE(korvo::readFileBytes(path), std::string("\"Zara\",\"12500\"\r\n\"Ren\xe9"
                                                     "e ?\",\"8200\"\r\n\"\",\"0\"\r\n"));
}

void HiScoresTest::saveHiScores_awkwardNamesReadBackUnchanged() {
    QTemporaryDir dir;
    const std::string path = dir.filePath("hiscores.txt").toStdString();
    const std::string quoted = zeltrix::storableName("Al \"Ace\"");
    QCOMPARE(quoted, std::string("Al 'Ace'"));
    const HiScores table{{{"Smith, John", 900}, {"   Ann", 800}, {quoted + " Renée", 700}}};
    QVERIFY(zeltrix::saveHiScores(table, path));
    QVERIFY(zeltrix::loadHiScores(path) == table);
}

void HiScoresTest::saveHiScores_readOnlyFolderLeavesOldFile() {
    if (geteuid() == 0) {
        QSKIP("permissions do not bind root");
    }
    QTemporaryDir dir;
    const std::string path = dir.filePath("hiscores.txt").toStdString();
    writeFile(path, "\"Zara\",\"5000\"\r\n");
    namespace fs = std::filesystem;
    fs::permissions(dir.path().toStdString(), fs::perms::owner_write, fs::perm_options::remove);
    const bool saved = zeltrix::saveHiScores(kTable, path);
    fs::permissions(dir.path().toStdString(), fs::perms::owner_write, fs::perm_options::add);
    QVERIFY(!saved);
    QCOMPARE(korvo::readFileBytes(path), std::string("\"Zara\",\"5000\"\r\n"));
}

void HiScoresTest::saveHiScores_interruptedWriteLeavesOldFile() {
    // A file size limit makes the write fail part-way, as a full disk would; root is bound too.
    QTemporaryDir dir;
    const std::string path = dir.filePath("hiscores.txt").toStdString();
    writeFile(path, "\"Zara\",\"5000\"\r\n");
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 10;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool saved = zeltrix::saveHiScores(kTable, path);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    QVERIFY(!saved);
    QCOMPARE(korvo::readFileBytes(path), std::string("\"Zara\",\"5000\"\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"hiscores.txt"});
    QVERIFY(
        !zeltrix::saveHiScores(kTable, dir.filePath("no such folder/hiscores.txt").toStdString()));
}

QTEST_GUILESS_MAIN(HiScoresTest)
#include "HiScoresTest.moc"
