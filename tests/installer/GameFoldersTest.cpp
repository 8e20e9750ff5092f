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

    // A components folder of its own for the row: "a/" is a folder, "a->b" a link, else a file.
    fs::path layout(const QStringList& entries) {
        const fs::path root = fs::path(m_dir.path().toStdString()) / QTest::currentDataTag();
        fs::create_directories(root);
        for (const QString& entry : entries) {
            const std::string text = entry.toStdString();
            if (const auto arrow = text.find("->"); arrow != std::string::npos) {
                fs::create_symlink(text.substr(arrow + 2), root / text.substr(0, arrow));
            } else if (text.ends_with('/')) {
                fs::create_directories(root / text);
            } else {
                writeText(root / text, "x");
            }
        }
        return root;
    }

private slots:
    void foldersAreReadByTheSameRules_data() {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("games");     // gameFolders: "folder=game;"
        QTest::addColumn<bool>("holds");        // holdsAnyGame
        QTest::addColumn<QString>("installed"); // findInstalledGames
        QTest::addColumn<QString>("find");      // findGame's name; "$" is the folder's path
        QTest::addColumn<QString>("found");     // "folder/program", relative
        const QString zeltrix = "Korvo's Zeltrix";
        QTest::newRow("any letter case") << QStringList{"korvo's zeltrix/KORVO'S ZELTRIX.EXE"}
                                         << "korvo's zeltrix=KORVO'S ZELTRIX;" << true << ""
                                         << zeltrix << "korvo's zeltrix/KORVO'S ZELTRIX.EXE";
        QTest::newRow("the exact spelling first")
            << QStringList{"KORVO'S ZELTRIX/KORVO'S ZELTRIX.EXE",
                           "Korvo's Zeltrix/KORVO'S ZELTRIX.EXE",
                           "Korvo's Zeltrix/Korvo's Zeltrix.exe"}
            << "KORVO'S ZELTRIX=KORVO'S ZELTRIX;Korvo's Zeltrix=KORVO'S ZELTRIX;" << true << ""
            << zeltrix << "Korvo's Zeltrix/Korvo's Zeltrix.exe";
        QTest::newRow("several programs: the first file by name")
            << QStringList{"Korvo's Two/0.exe/", "Korvo's Two/b.exe", "Korvo's Two/a.EXE"}
            << "Korvo's Two=a;" << true << ""
            << "Korvo's Two"
            << "";
        QTest::newRow("a file named like a game folder")
            << QStringList{"korvo's x"} << "" << true << ""
            << "korvo's x"
            << "";
        QTest::newRow("only the player's files left")
            << QStringList{"Korvo's Zeltrix/add/hiscores.txt", "Korvo's Zeltrix/notes.txt"} << ""
            << false << "" << zeltrix << "";
        QTest::newRow("names of no game folder")
            << QStringList{"Korvo'sX/Korvo'sX.exe", "Korvo's /x.exe", "Korvo/Korvo.exe"} << ""
            << false << "" << zeltrix << "";
        QTest::newRow("installed: a manifest, no link")
            << QStringList{"Korvo's B/installed files.txt", "Korvo's A/installed files.txt",
                           "Korvo's A/Korvo's A.exe", "Korvo's Link->Korvo's A"}
            << "Korvo's A=Korvo's A;Korvo's Link=Korvo's A;" << true << "Korvo's A;Korvo's B;"
            << "korvo's a"
            << "Korvo's A/Korvo's A.exe";
        QTest::newRow("a path for a name")
            << QStringList{"Korvo's X/Korvo's X.exe", "Korvo's X.exe"} << "Korvo's X=Korvo's X;"
            << true << ""
            << "$/Korvo's X"
            << "";
    }
    void foldersAreReadByTheSameRules() {
        QFETCH(QStringList, entries);
        QFETCH(QString, find);
        const fs::path root = layout(entries);
        QString games;
        for (const auto& [folder, game] : korvo::gameFolders(root)) {
            games += QString::fromStdString(folder.filename().string() + "=" + game + ";");
        }
        QString installed;
        for (const auto& game : korvo::findInstalledGames(root)) {
            installed += QString::fromStdString(game + ";");
        }
        const auto found = korvo::findGame(
            root, find.replace("$", QString::fromStdString(root.string())).toStdString());
        QTEST(games, "games");
        QTEST(korvo::holdsAnyGame(root), "holds");
        QTEST(installed, "installed");
        QTEST(found ? QString::fromStdString(found->program.lexically_relative(root).string())
                    : QString(),
              "found");
    }

    void installedFilesReportsADamagedManifest_data() {
        QTest::addColumn<QByteArray>("text"); // "link": a link to a good manifest
        QTest::addColumn<QString>("read");    // the entries, "error" or "none"
        const QByteArray header = "Korvo component manifest 1\n";
        QTest::newRow("good") << header + "add/\nadd/a b.txt\n"
                              << "add/;add/a b.txt;";
        QTest::newRow("a link") << QByteArray("link") << "none";
        QTest::newRow("empty") << QByteArray() << "error";
        QTest::newRow("newer version") << QByteArray("Korvo component manifest 2\na\n") << "error";
        QTest::newRow("absolute path") << header + "/etc/passwd\n"
                                       << "error";
        QTest::newRow("dot dot") << header + "add/../../x\n"
                                 << "error";
        QTest::newRow("control character") << header + "a\rb\n"
                                           << "error";
        QTest::newRow("last line unended") << header + "a\nb"
                                           << "error";
    }
    void installedFilesReportsADamagedManifest() {
        QFETCH(QByteArray, text);
        const fs::path game = layout({});
        writeText(game / "good.txt", "Korvo component manifest 1\na\n");
        if (text == "link") {
            fs::create_symlink("good.txt", game / "installed files.txt");
        } else {
            writeText(game / "installed files.txt", text.toStdString());
        }
        const korvo::UniqueFd folder(::open(game.c_str(), O_RDONLY | O_DIRECTORY));
        const auto files = korvo::installedFiles(folder.get());
        QString read = !files ? "none" : files->error.empty() ? "" : "error";
        for (const auto& entry : files ? files->entries : std::vector<std::string>()) {
            read += QString::fromStdString(entry + ";");
        }
        QTEST(read, "read");
    }
};

QTEST_APPLESS_MAIN(GameFoldersTest)
#include "GameFoldersTest.moc"
