// The hall-of-fame table: where new scores go, what any file on disk reads as, the exact bytes
// written, and that a failed save never damages the file already there.
#include <QtTest>

#include "HiScores.h"
#include "Numbers.h"
#include "Text.h"

#include <QTemporaryDir>

#include <csignal>
#include <fstream>
#include <sys/resource.h>

using zeltrix::HiScoreEntry;
using zeltrix::HiScores;

Q_DECLARE_METATYPE(HiScores)

const HiScores kTable{{{"Zara", 5000}, {"Tom", 3000}, {"Rita", 1000}}};

class HiScoresTest : public QObject {
    Q_OBJECT

private slots:
    void insertHiScore_placesBelowEveryScoreNotStrictlyBeaten_data() {
        QTest::addColumn<qlonglong>("score");
        QTest::addColumn<int>("row");
        QTest::addColumn<HiScores>("expected");
        QTest::newRow("above the best shifts two down")
            << qlonglong(6000) << 0 << HiScores{{{"", 6000}, {"Zara", 5000}, {"Tom", 3000}}};
        QTest::newRow("equal to the best goes second")
            << qlonglong(5000) << 1 << HiScores{{{"Zara", 5000}, {"", 5000}, {"Tom", 3000}}};
        QTest::newRow("one above the third enters")
            << qlonglong(1001) << 2 << HiScores{{{"Zara", 5000}, {"Tom", 3000}, {"", 1001}}};
        QTest::newRow("equal to the third stays out") << qlonglong(1000) << -1 << kTable;
    }

    void insertHiScore_placesBelowEveryScoreNotStrictlyBeaten() {
        QFETCH(qlonglong, score);
        QFETCH(HiScores, expected);
        HiScores table = kTable;
        QTEST(zeltrix::insertHiScore(table, score), "row");
        QVERIFY(table == expected);
    }

    void parseHiScores_alwaysGivesAPlayableTable_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<HiScores>("expected");
        const auto row = [](const char* name, const char* bytes, const HiScores& expected) {
            QTest::newRow(name) << QByteArray(bytes) << expected;
        };
        const char* three = "\"Zara\",\"5000\"\r\n\"Tom\",\"3000\"\r\n\"Rita\",\"1000\"\r\n";
        row("three records", three, kTable);
        row("empty", "", HiScores{});
        row("two records, LF only, unquoted", "Zara, 5000\nTom,3000\n",
            HiScores{{{"Zara", 5000}, {"Tom", 3000}, {}}});
        row("four records", (std::string(three) + "\"Max\",\"10\"\r\n").c_str(), kTable);
        row("score no number", "\"Zara\",\"lots\"\r\n\"Tom\",\"\"\r\n\"Rita\",\"12abc\"\r\n",
            HiScores{{{"Zara", 0}, {"Tom", 0}, {"Rita", 0}}});
        row("whole part of a number", "\"Zara\",\" 1250.9\"\r\n\"Tom\",\"1e3\"\r\n",
            HiScores{{{"Zara", 1250}, {"Tom", 1000}, {}}});
        row("cut after a name", "\"Zara\",\"5000\"\r\n\"Tom\"",
            HiScores{{{"Zara", 5000}, {"Tom", 0}, {}}});
        row("Windows-1252 name",
            "\"Ren\xe9"
            "e \x80\",\"10\"\r\n",
            HiScores{{{"Renée €", 10}, {}, {}}});
    }

    void parseHiScores_alwaysGivesAPlayableTable() {
        QFETCH(QByteArray, bytes);
        QFETCH(HiScores, expected);
        QVERIFY(zeltrix::parseHiScores(bytes.toStdString()) == expected);
    }

    void fileIsThreeQuotedLinesInWindows1252ThatReadBack() {
        QTemporaryDir dir;
        const std::string path = dir.filePath("hiscores.txt").toStdString();
        QVERIFY(zeltrix::loadHiScores(path) == HiScores{}); // no file yet
        QVERIFY(zeltrix::saveHiScores({{{"Zara", 12500}, {"Renée 日", 8200}, {"", 0}}}, path));
        QCOMPARE(korvo::readFileBytes(path), std::string("\"Zara\",\"12500\"\r\n\"Ren\xe9"
                                                         "e ?\",\"8200\"\r\n\"\",\"0\"\r\n"));
        const std::string quoted = zeltrix::storableName("Al \"Ace\"\n");
        QCOMPARE(quoted, std::string("Al 'Ace' "));
        const HiScores table{{{"Smith, John", 900}, {"   Ann", 800}, {quoted + " Renée", 700}}};
        QVERIFY(zeltrix::saveHiScores(table, path));
        QVERIFY(zeltrix::loadHiScores(path) == table);
    }

    void saveHiScores_interruptedWriteLeavesOldFile() {
        // A file size limit makes the write fail part-way, as a full disk would; root is bound too.
        QTemporaryDir dir;
        const std::string path = dir.filePath("hiscores.txt").toStdString();
        std::ofstream(path, std::ios::binary) << "\"Zara\",\"5000\"\r\n";
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        const rlimit small{10, old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &small);
        const bool saved = zeltrix::saveHiScores(kTable, path);
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);

        QVERIFY(!saved);
        QCOMPARE(korvo::readFileBytes(path), std::string("\"Zara\",\"5000\"\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"hiscores.txt"});
        QVERIFY(!zeltrix::saveHiScores(kTable,
                                       dir.filePath("no such folder/hiscores.txt").toStdString()));
    }
};

QTEST_GUILESS_MAIN(HiScoresTest)
#include "HiScoresTest.moc"
