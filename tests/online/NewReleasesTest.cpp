// The new-releases list: how the server's text becomes names and component files.
#include <QtTest>

#include "NewReleases.h"

#include <string>
#include <vector>

using launcher::NewRelease;
using Releases = std::vector<NewRelease>;

Q_DECLARE_METATYPE(Releases)

class NewReleasesTest : public QObject {
    Q_OBJECT
private slots:
    void parse_takesTheRecordsByTheKeywordRules_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<Releases>("expected");
        QTest::newRow("keywords in any case, names in theirs, in order")
            << QByteArray("NAME:Korvo's Zeltrix,file:korvo002.cmp\nName:kORVO B,fIlE:B.CMP\n")
            << Releases{{"Korvo's Zeltrix", "korvo002.cmp"}, {"kORVO B", "B.CMP"}};
        QTest::newRow("nothing trimmed")
            << QByteArray("NAME: A ,FILE:a.cmp\n") << Releases{{" A ", "a.cmp"}};
        QTest::newRow("text around the records, FILE: anywhere after the comma")
            << QByteArray("New games!\nNAME:A, new! FILE:a.cmp\n-- the end --")
            << Releases{{"A", "a.cmp"}};
        QTest::newRow("no comma") << QByteArray("NAME:A,FILE:a.cmp\nNAME:B FILE:b.cmp\n")
                                  << Releases{{"A", "a.cmp"}};
        QTest::newRow("no line feed")
            << QByteArray("NAME:A,FILE:a.cmp\nNAME:B,FILE:b.cmp") << Releases{{"A", "a.cmp"}};
        QTest::newRow("FILE: beyond the line feed")
            << QByteArray("NAME:A,\nFILE:a.cmp\nNAME:B,FILE:b.cmp\n") << Releases{{"B", "b.cmp"}};
        // Only plain component names, one of each rule: its characters, its length, no hidden
        // file (the lock), the components' extension (not the uninstaller, not a game folder).
        const QByteArray tooLong = QByteArray(61, 'k') + ".cmp";
        for (const QByteArray& file :
             {QByteArray("../korvo002.cmp"), QByteArray("korvo002.cmp\r"), QByteArray(""), tooLong,
              QByteArray(".hidden.cmp"), QByteArray("korvo002.exe")}) {
            QTest::addRow("refused file name %s", file.toPercentEncoding().constData())
                << "NAME:Bad,FILE:" + file + "\nNAME:Good,FILE:good.cmp\n"
                << Releases{{"Good", "good.cmp"}};
        }
        QByteArray many = "NAME:Bad,FILE:../bad.cmp\n";
        Releases first21;
        for (int i = 1; i <= 25; ++i) {
            const std::string n = std::to_string(i);
            many += QByteArray::fromStdString("NAME:" + n + ",FILE:" + n + ".cmp\n");
            first21.push_back({n, n + ".cmp"});
        }
        first21.resize(21);
        QTest::newRow("at most 21 games; refused records take no place") << many << first21;
    }
    void parse_takesTheRecordsByTheKeywordRules() {
        QFETCH(QByteArray, text);
        QTEST(launcher::ParseNewReleases(text.toStdString()), "expected");
    }
};

QTEST_GUILESS_MAIN(NewReleasesTest)
#include "NewReleasesTest.moc"
