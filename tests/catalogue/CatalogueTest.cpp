#include "Catalogue.h"
#include "LauncherFixture.h"

#include <QtTest>

class CatalogueTest : public QObject {
    Q_OBJECT
private slots:
    void tableComesFromTheCatalogueAndTheDisk_data() {
        QTest::addColumn<QStringList>("offered"); // the catalogue
        QTest::addColumn<QStringList>("disk");    // entries of the components folder
        QTest::addColumn<QString>("table");       // the table's names, "+" marking the installed
        QTest::newRow("folder and program in another letter case")
            << QStringList{"Korvo's Zeltrix", "KORVO'S TWIN"}
            << QStringList{"korvo's zeltrix/KORVO'S ZELTRIX.exe", "Korvo's Twins/Korvo's Twin.EXE"}
            << "Korvo's Zeltrix+;KORVO'S TWIN+";
        QTest::newRow("a game only on disk is appended")
            << QStringList{"Korvo's A"} << QStringList{"Korvo's Extra/Korvo's Extra.exe"}
            << "Korvo's A;Korvo's Extra+";
        QTest::newRow("several program files: the first by name counts")
            << QStringList{}
            << QStringList{"Korvo's Pair/Korvo's Zed.exe", "Korvo's Pair/Korvo's Able.exe"}
            << "Korvo's Able+";
    }
    void tableComesFromTheCatalogueAndTheDisk() {
        QFETCH(QStringList, offered);
        QFETCH(QStringList, disk);
        QFETCH(QString, table);
        LauncherFixture f;
        f.offer(offered);
        for (const QString& entry : disk) {
            f.onDisk(entry);
        }
        f.catalogue.LoadGamesFile();
        f.catalogue.ScanComponentsDir();
        QStringList rows;
        for (const launcher::GameRecord& game : f.catalogue.Games) {
            rows << QString::fromStdString(game.Name) + (game.installed ? "+" : "");
        }
        QCOMPARE(rows.join(';'), table);
    }

    // A system package keeps the games in the user's data folder, as the desktop's rules say.
    void userComponentsDirFollowsTheDesktopsRules_data() {
        QTest::addColumn<QByteArray>("dataHome"); // "-": unset
        QTest::addColumn<QString>("dir");
        const QString fallback = "/home/ann/.local/share/korvo/Korvo Game Components/";
        QTest::newRow("absolute") << QByteArray("/d/data/")
                                  << "/d/data/korvo/Korvo Game Components/";
        QTest::newRow("relative") << QByteArray("data") << fallback;
        QTest::newRow("unset") << QByteArray("-") << fallback;
    }
    void userComponentsDirFollowsTheDesktopsRules() {
        QFETCH(QByteArray, dataHome);
        QFETCH(QString, dir);
        QCOMPARE(QString::fromStdString(launcher::UserComponentsDir(
                     dataHome == "-" ? nullptr : dataHome.constData(), "/home/ann")),
                 dir);
    }
};

QTEST_GUILESS_MAIN(CatalogueTest)
#include "CatalogueTest.moc"
