#include "Catalogue.h"
#include "InstallFixture.h"

#include <QtTest>

using launcher::Catalogue;

namespace {
QStringList table(const Catalogue& catalogue) {
    QStringList rows;
    for (const launcher::GameRecord& game : catalogue.Games) {
        rows << QString::fromStdString(game.Name + "|" + game.State);
    }
    return rows;
}
} // namespace

class CatalogueTest : public QObject {
    Q_OBJECT
private slots:
    void componentsFolderSitsBesideTheLaunchersFolder_data();
    void componentsFolderSitsBesideTheLaunchersFolder();
    void tableComesFromTheCatalogueAndTheDisk_data();
    void tableComesFromTheCatalogueAndTheDisk();
    void storiesAndSharedLinesAreRead();
    void programFileIsFoundInAnyLetterCase();
    void noGamesInstalledAndTheNewGameEntry();
};

void CatalogueTest::componentsFolderSitsBesideTheLaunchersFolder_data() {
    QTest::addColumn<QString>("programDir");
    QTest::addColumn<QString>("components");
    QTest::newRow("nested") << "/opt/Apps/Maths"
                            << "/opt/Apps/Korvo Game Components/";
    QTest::newRow("top level") << "/Maths"
                               << "/Korvo Game Components/";
}

void CatalogueTest::componentsFolderSitsBesideTheLaunchersFolder() {
    QFETCH(QString, programDir);
    QFETCH(QString, components);
    Catalogue catalogue;
    catalogue.SetComponentsDir(programDir.toStdString());
    QCOMPARE(QString::fromStdString(catalogue.ComponentsDir()), components);
}

void CatalogueTest::tableComesFromTheCatalogueAndTheDisk_data() {
    QTest::addColumn<QByteArray>("games"); // "-" for no catalogue file
    QTest::addColumn<QStringList>("disk");
    QTest::addColumn<QStringList>("expected");

    const QByteArray abc = "\"Korvo's Alpha\",\"a\",\"\"\r\n\"Korvo's Beta\",\"b\",\"\"\r\n"
                           "\"Korvo's Gamma\",\"c\",\"\"\r\n";
    QTest::newRow("one installed of three")
        << abc << QStringList{"Korvo's Beta/Korvo's Beta.exe"}
        << QStringList{"Korvo's Alpha|", "Korvo's Beta|Exists", "Korvo's Gamma|"};
    QTest::newRow("lower-case program file") << QByteArray("\"Korvo's Zeltrix\",\"z\",\"\"\n")
                                             << QStringList{"Korvo's Zeltrix/korvo's zeltrix.exe"}
                                             << QStringList{"Korvo's Zeltrix|Exists"};
    QTest::newRow("a game only on disk is appended")
        << QByteArray("\"Korvo's Alpha\",\"a\",\"\"\n")
        << QStringList{"Korvo's Extra/Korvo's Extra.exe"}
        << QStringList{"Korvo's Alpha|", "Korvo's Extra|Exists"};
    QTest::newRow("several program files: the first by name counts")
        << QByteArray("-")
        << QStringList{"Korvo's Pair/Korvo's Zed.exe", "Korvo's Pair/Korvo's Able.exe",
                       "Korvo's Pair/Korvo's Able.txt"}
        << QStringList{"Korvo's Able|Exists"};
    QTest::newRow("folders in any letter case, in name order")
        << QByteArray("-")
        << QStringList{"korvo's quiet/korvo's quiet.exe", "KORVO'S LOUD/KORVO'S LOUD.EXE",
                       "Korvo Other/Korvo Other.exe"}
        << QStringList{"KORVO'S LOUD|Exists", "korvo's quiet|Exists"};
    QTest::newRow("every entry of the name is marked")
        << QByteArray("\"Korvo's Twin\",\"\",\"\"\n\"KORVO'S TWIN\",\"\",\"\"\n")
        << QStringList{"KORVO'S TWIN/Korvo's Twin.exe"}
        << QStringList{"Korvo's Twin|Exists", "KORVO'S TWIN|Exists"};
    QTest::newRow("plain file and folder without program are skipped")
        << QByteArray("-")
        << QStringList{"korvo's junk", "Korvo's Empty/", "Korvo's Empty/readme.txt",
                       "Korvo's Odd/Korvo's Odd.exe/"}
        << QStringList{};
    QTest::newRow("missing catalogue")
        << QByteArray("-") << QStringList{"Korvo's Zeltrix/Korvo's Zeltrix.exe"}
        << QStringList{"Korvo's Zeltrix|Exists"};
    QTest::newRow("empty catalogue") << QByteArray("") << QStringList{} << QStringList{};
    QTest::newRow("blank catalogue") << QByteArray(" \r\n\r\n") << QStringList{} << QStringList{};
    QTest::newRow("short last record is dropped")
        << QByteArray("\"Korvo's Alpha\",\"a\",\"\"\n\"Korvo's Beta\",\"half\"\n") << QStringList{}
        << QStringList{"Korvo's Alpha|"};
}

void CatalogueTest::tableComesFromTheCatalogueAndTheDisk() {
    QFETCH(QByteArray, games);
    QFETCH(QStringList, disk);
    QFETCH(QStringList, expected);
    InstallFixture install;
    if (games != "-") {
        install.gamesFile(games);
    }
    for (const QString& entry : disk) {
        install.onDisk(entry);
    }
    Catalogue catalogue;
    catalogue.SetComponentsDir(install.app.toStdString());
    catalogue.LoadGamesFile();
    catalogue.ScanComponentsDir();
    QCOMPARE(table(catalogue), expected);
}

void CatalogueTest::storiesAndSharedLinesAreRead() {
    InstallFixture install;
    // Two records on one line and one spanning two; a story with a comma; Windows-1252 text.
    install.gamesFile("\"Korvo's Alpha\",\"Fly, then land.\",\"x\",\"Korvo's Beta\"\r\n"
                      "\"Caf\xe9 maths\"\n\"y\"\r\n");
    install.install("Korvo's Extra");
    Catalogue catalogue;
    catalogue.SetComponentsDir(install.app.toStdString());
    catalogue.LoadGamesFile();
    catalogue.ScanComponentsDir();
    QCOMPARE(catalogue.GameCount(), 3);
    QCOMPARE(catalogue.Games[0].Story, std::string("Fly, then land."));
    QCOMPARE(catalogue.Games[1].Name, std::string("Korvo's Beta"));
    QCOMPARE(catalogue.Games[1].Story, std::string("Caf\xc3\xa9 maths"));
    QCOMPARE(catalogue.Games[2].Story, std::string());
}

void CatalogueTest::programFileIsFoundInAnyLetterCase() {
    InstallFixture install;
    install.onDisk("korvo's zeltrix/KORVO'S ZELTRIX.exe");
    install.onDisk("korvo's zeltrix/add/screendump.gif");
    Catalogue catalogue;
    catalogue.SetComponentsDir(install.app.toStdString());
    QVERIFY(catalogue.GameExeExists("Korvo's Zeltrix"));
    QCOMPARE(QString::fromStdString(catalogue.GameExePath("Korvo's Zeltrix")),
             install.components + "korvo's zeltrix/KORVO'S ZELTRIX.exe");
    QCOMPARE(QString::fromStdString(catalogue.ScreenDumpPath("Korvo's Zeltrix")),
             install.components + "korvo's zeltrix/add/screendump.gif");
    QVERIFY(!catalogue.GameExeExists("Korvo's Vorpa"));
    QVERIFY(!catalogue.GameExeExists(""));
    // A game that is not there keeps the path it would have, so that starting it fails plainly.
    QCOMPARE(QString::fromStdString(catalogue.GameExePath("Korvo's Vorpa")),
             install.components + "Korvo's Vorpa/Korvo's Vorpa.exe");
}

void CatalogueTest::noGamesInstalledAndTheNewGameEntry() {
    Catalogue catalogue;
    QVERIFY(catalogue.NoGamesInstalled());
    catalogue.Games.push_back({"Korvo's Alpha", "a", "exists"}); // only "Exists" counts
    QVERIFY(catalogue.NoGamesInstalled());
    QCOMPARE(catalogue.AddNewGameEntry(), 1);
    QCOMPARE(catalogue.Games[1].Name, std::string("New Game"));
    QVERIFY(catalogue.Games[1].Story.empty() && catalogue.Games[1].State.empty());
    catalogue.Games[0].State = "Exists";
    QVERIFY(!catalogue.NoGamesInstalled());
}

QTEST_GUILESS_MAIN(CatalogueTest)
#include "CatalogueTest.moc"
