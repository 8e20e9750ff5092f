// The folder rules: which entries of a components folder are game folders, the game each holds,
// a game's files found by name, the installed games, and what a manifest names.
#include "GameFolders.h"
#include "ComponentFixture.h"
#include "SystemError.h"

#include <QTest>

#include <fcntl.h>

using namespace fixture;

class GameFoldersTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    // A components folder of its own for each row: "a/" is a folder, "a->b" a link, else a file.
    fs::path layout(const QStringList& entries) {
        const char* row = QTest::currentDataTag();
        const fs::path root = fs::path(m_dir.path().toStdString()) / (row ? row : "game folders");
        fs::create_directories(root);
        for (const QString& entry : entries) {
            const std::string text = entry.toStdString();
            if (const auto arrow = text.find("->"); arrow != std::string::npos) {
                fs::create_symlink(text.substr(arrow + 2), root / text.substr(0, arrow));
            } else if (text.ends_with('/')) {
                fs::create_directories(root / text);
            } else {
                writeText(root / text, "Korvo component manifest 1\na\n"); // some are manifests
            }
        }
        return root;
    }

private slots:
    void holdsAnyGame_data() {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<bool>("holds");
        QTest::newRow("only the player's files, names of no game folder")
            << QStringList{"Korvo's Left/add/hiscores.txt", "Korvo'sX/x.exe", "Korvo's /x.exe"}
            << false;
        QTest::newRow("a file named like a game folder") << QStringList{"korvo's x"} << true;
        QTest::newRow("a game in any letter case") << QStringList{"KORVO'S Y/y.EXE"} << true;
    }
    void holdsAnyGame() {
        QFETCH(QStringList, entries);
        QTEST(korvo::holdsAnyGame(layout(entries)), "holds");
    }

    void gamesAreFoundByTheFolderRules() {
        const fs::path root =
            layout({"korvo's zeltrix/KORVO'S ZELTRIX.EXE", "korvo's x", "Korvo's Two/0.exe/",
                    "Korvo's Two/b.exe", "Korvo's Two/a.EXE", "Korvo's Left/add/hiscores.txt",
                    "KORVO'S A/KORVO'S A.EXE", "Korvo's A/KORVO'S A.EXE", "Korvo's A/Korvo's A.exe",
                    "Korvo's A/installed files.txt", "Korvo's Link->Korvo's A", "Korvo's A.exe",
                    "Korvo's Bad/installed files.txt",
                    "Korvo's Two/installed files.txt->../Korvo's A/installed files.txt"});
        writeText(root / "Korvo's Bad/installed files.txt", "Korvo component manifest 1\n/etc\n");
        QString games;
        for (const auto& [folder, game] : korvo::gameFolders(root)) {
            games += QString::fromStdString(folder.filename().string() + "=" + game + ";");
        }
        // The first program by name; the exact spelling first; links followed, files not games.
        QCOMPARE(games, "KORVO'S A=KORVO'S A;Korvo's A=KORVO'S A;Korvo's Link=KORVO'S A;"
                        "Korvo's Two=a;korvo's zeltrix=KORVO'S ZELTRIX;");
        const auto found = [&root](const std::string& name) {
            const auto game = korvo::findGame(root, name);
            return QString::fromStdString(game ? game->program.lexically_relative(root) : "");
        };
        QCOMPARE(found("korvo's a"), "KORVO'S A/KORVO'S A.EXE");
        QCOMPARE(found("Korvo's A"), "Korvo's A/Korvo's A.exe");
        QCOMPARE(found(root / "Korvo's A"), ""); // a path is no name
        QCOMPARE(found("Korvo's Two"), "");
        // Installed: a manifest, no link to a folder or to a manifest.
        QString installed;
        for (const auto& game : korvo::findInstalledGames(root)) {
            installed += QString::fromStdString(game + ";");
        }
        QCOMPARE(installed, "Korvo's A;Korvo's Bad;");

        // A manifest is read from the game folder itself, never through a link.
        const auto hasManifest = [&root](const char* folder) {
            const korvo::UniqueFd fd(::open((root / folder).c_str(), O_RDONLY | O_DIRECTORY));
            return korvo::installedFiles(fd.get()).has_value();
        };
        QVERIFY(hasManifest("Korvo's A"));
        QVERIFY(!hasManifest("Korvo's Two"));
        QVERIFY(!hasManifest("korvo's zeltrix"));
    }
};

QTEST_APPLESS_MAIN(GameFoldersTest)
#include "GameFoldersTest.moc"
