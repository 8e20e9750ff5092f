// A game's entry in the desktop's menus: named for the game without blanks or apostrophes, it
// runs the game's program with the game's picture as its icon and passes the desktop's
// validator; it goes, icon and all, only with the game of its own folder.
#include "DesktopEntry.h"
#include "Text.h"

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace fs = std::filesystem;

class DesktopEntryTest : public QObject {
    Q_OBJECT
private slots:
    void gameEntryRunsTheGameWithItsPicture_data() {
        QTest::addColumn<QString>("game");
        QTest::addColumn<QString>("folder"); // of the components, in a temporary one
        QTest::addColumn<QString>("id");
        QTest::addColumn<bool>("picture");
        QTest::newRow("plain") << "Korvo's Zeltrix"
                               << "games"
                               << "korvo-zeltrix" << true;
        QTest::newRow("reserved characters, no picture") << "Korvo's Tovash Pro"
                                                         << R"(Ann's "a" $HOME `id` \b 100%u)"
                                                         << "korvo-tovash-pro" << false;
    }
    void gameEntryRunsTheGameWithItsPicture() {
        QFETCH(QString, game);
        QFETCH(QString, folder);
        QFETCH(QString, id);
        QFETCH(bool, picture);
        QTemporaryDir dir;
        const fs::path data = dir.path().toStdString() + "/share";
        const fs::path gameFolder = (dir.path() + "/" + folder + "/" + game).toStdString();
        const fs::path program = gameFolder / (game.toStdString() + ".exe");
        const fs::path shown = gameFolder / "screendump.png";
        fs::create_directories(gameFolder);
        if (picture) {
            QImage wide(200, 100, QImage::Format_RGB32);
            wide.fill(Qt::red);
            QVERIFY(wide.save(QString::fromStdString(shown.string())));
        }
        const std::string failure = korvo::writeMenuEntry(data, game.toStdString(), program, shown);
        QCOMPARE(failure.empty(), picture); // and the entry is written all the same
        const korvo::MenuEntryFiles files = korvo::menuEntryFiles(data, game.toStdString());
        QCOMPARE(QString::fromStdString(files.entry.filename()), id + ".desktop");
        const std::string text = korvo::readFileBytes(files.entry);
        QVERIFY(text.find("\nName=" + game.toStdString() + "\n") != std::string::npos);
        QVERIFY(text.find("\nExec=" + korvo::desktopExec(program) + "\n") != std::string::npos);
        QVERIFY(text.find("\nCategories=Game;Education;") != std::string::npos);
        QCOMPARE(text.find("\nIcon=" + files.icon.string() + "\n") != std::string::npos, picture);
        if (picture) { // the picture, as large as fits, in the middle of a square
            const QImage icon(QString::fromStdString(files.icon.string()));
            QCOMPARE(icon.size(), QSize(128, 128));
            QCOMPARE(icon.pixelColor(64, 64), QColor(Qt::red));
            QCOMPARE(icon.pixelColor(64, 8).alpha(), 0);
        }
        const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
        if (!validator.isEmpty()) {
            QProcess validate;
            validate.setProcessChannelMode(QProcess::MergedChannels);
            validate.start(validator, {QString::fromStdString(files.entry.string())});
            QVERIFY(validate.waitForFinished(20000));
            const QByteArray said = validate.readAll();
            // Hints (such as two main categories, Game and Education) are no faults.
            QVERIFY2(validate.exitCode() == 0 && !said.contains("error:") &&
                         !said.contains("warning:"),
                     said.constData());
        }
        korvo::removeMenuEntry(data, game.toStdString(), dir.path().toStdString() + "/Korvo's X");
        QVERIFY(fs::exists(files.entry) && fs::exists(files.icon) == picture);
        korvo::removeMenuEntry(data, game.toStdString(), gameFolder);
        QVERIFY(!fs::exists(files.entry) && !fs::exists(files.icon));
    }
};

QTEST_GUILESS_MAIN(DesktopEntryTest)
#include "DesktopEntryTest.moc"
