#include "Catalogue.h"
#include "PanelFixture.h"

#include <QtTest>

using launcher::Catalogue;

class CatalogueTest : public QObject {
    Q_OBJECT
private slots:
    void componentsFolderOfALauncherAtTheTopIsAtTheTop() {
        Catalogue catalogue; // a nested launcher's is the fixture's
        catalogue.SetComponentsDir("/Maths");
        QCOMPARE(catalogue.ComponentsDir(), std::string("/Korvo Game Components/"));
    }

    void tableComesFromTheCatalogueAndTheDisk_data() {
        // games: "-" for no catalogue file, the file's text (in Windows-1252) when it starts
        // with a quote or is empty, else names separated by ";". table: the names of the table,
        // "+" marking the installed.
        QTest::addColumn<QString>("games");
        QTest::addColumn<QStringList>("disk"); // entries of the components folder
        QTest::addColumn<QString>("table");
        QTest::newRow("one installed of three")
            << "Korvo's A;Korvo's B;Korvo's C" << QStringList{"Korvo's B/Korvo's B.exe"}
            << "Korvo's A;Korvo's B+;Korvo's C";
        QTest::newRow("lower-case program file")
            << "Korvo's Zeltrix" << QStringList{"Korvo's Zeltrix/korvo's zeltrix.exe"}
            << "Korvo's Zeltrix+";
        QTest::newRow("a game only on disk is appended")
            << "Korvo's A" << QStringList{"Korvo's Extra/Korvo's Extra.exe"}
            << "Korvo's A;Korvo's Extra+";
        QTest::newRow("no catalogue; several program files: the first by name counts")
            << "-" << QStringList{"Korvo's Pair/Korvo's Zed.exe", "Korvo's Pair/Korvo's Able.exe"}
            << "Korvo's Able+";
        QTest::newRow("folders in any letter case, in name order")
            << "-"
            << QStringList{"korvo's q/korvo's q.exe", "KORVO'S L/KORVO'S L.EXE",
                           "Korvo X/Korvo X.exe"}
            << "KORVO'S L+;korvo's q+";
        QTest::newRow("every entry of the name is marked")
            << "Korvo's Twin;KORVO'S TWIN" << QStringList{"Korvo's Twins/Korvo's Twin.exe"}
            << "Korvo's Twin+;KORVO'S TWIN+";
        QTest::newRow("plain file and folder without program are skipped")
            << "-" << QStringList{"korvo's junk", "Korvo's Empty/readme.txt", "Korvo's Odd/x.exe/"}
            << "";
        QTest::newRow("records share and span lines, in Windows-1252")
            << "\"Korvo's A\",\"Fly, then land.\",\"x\",\"Korvo's Caf\u00e9\"\r\n\"b\"\n\"y\"\r\n"
            << QStringList{} << "Korvo's A;Korvo's Caf\u00e9";
        QTest::newRow("empty catalogue") << "" << QStringList{} << "";
        QTest::newRow("short last record is dropped")
            << "\"Korvo's A\",\"a\",\"\"\n\"Korvo's B\",\"half\"\n"
            << QStringList{} << "Korvo's A";
    }
    void tableComesFromTheCatalogueAndTheDisk() {
        QFETCH(QString, games);
        QFETCH(QStringList, disk);
        QFETCH(QString, table);
        PanelFixture f;
        if (games.isEmpty() || games.startsWith('"')) {
            f.gamesFile(games.toLatin1());
        } else if (games != "-") {
            f.offer(games.split(';'));
        }
        for (const QString& entry : disk) {
            f.onDisk(entry);
        }
        f.catalogue.LoadGamesFile();
        f.catalogue.ScanComponentsDir();
        QStringList rows;
        for (const launcher::GameRecord& game : f.catalogue.Games) {
            rows << QString::fromStdString(game.Name) + (game.State == "Exists" ? "+" : "");
        }
        QCOMPARE(rows.join(';'), table);
    }
};

QTEST_GUILESS_MAIN(CatalogueTest)
#include "CatalogueTest.moc"
