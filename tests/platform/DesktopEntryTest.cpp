// A game's entry in the desktop's menus: named for the game without blanks or apostrophes, it
// runs exactly the game's program, whatever its path holds, as the desktop reads it, shows the
// game's picture as its icon and passes the desktop's validator; it goes, icon and all, only
// with the game of its own folder.
#include "DesktopEntry.h"
#include "Text.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace fs = std::filesystem;

namespace {

// How the desktop would show and run the entry, as GLib reads it, by the system's Python: its
// name, then the words of its command.
QStringList desktopReading(const fs::path& entry) {
    const char* script = R"(
import sys, gi
gi.require_version("Gio", "2.0")
from gi.repository import Gio, GLib
info = Gio.DesktopAppInfo.new_from_filename(sys.argv[1])
ok, argv = GLib.shell_parse_argv(info.get_commandline().replace("%%", "%"))
print("\n".join([info.get_name()] + argv))
)";
    QProcess python;
    python.start("/usr/bin/python3", {"-c", script, QString::fromStdString(entry)});
    python.waitForFinished(20000);
    return QString::fromUtf8(python.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

} // namespace

class DesktopEntryTest : public QObject {
    Q_OBJECT
private slots:
    void gameEntryRunsTheGameWithItsPicture_data() {
        QTest::addColumn<std::string>("game");
        QTest::addColumn<std::string>("folder"); // of the components, in a temporary one
        QTest::addColumn<QString>("id");
        QTest::newRow("blanks and reserved characters")
            << std::string("Korvo's Tovash Pro") << std::string(R"(Ann's "a" $HOME `id` \b)")
            << "korvo-tovash-pro";
        // GLib looks for the program before it expands "%%", so it passes over an entry whose
        // path holds a "%"; the validator checks it.
        QTest::newRow("field code")
            << std::string("Korvo's Zeltrix") << std::string("100%u") << "korvo-zeltrix";
    }
    void gameEntryRunsTheGameWithItsPicture() {
        QFETCH(std::string, game);
        QFETCH(std::string, folder);
        QFETCH(QString, id);
        QTemporaryDir dir;
        const fs::path data = dir.path().toStdString() + "/share";
        const fs::path gameFolder = dir.path().toStdString() + "/" + folder + "/" + game;
        const fs::path program = gameFolder / (game + ".exe");
        fs::create_directories(gameFolder);
        QFile(QString::fromStdString(program)).open(QIODevice::WriteOnly);
        fs::permissions(program, fs::perms::owner_all);
        QImage wide(200, 100, QImage::Format_RGB32);
        wide.fill(Qt::red);
        QVERIFY(wide.save(QString::fromStdString(gameFolder / "picture.png")));
        QCOMPARE(korvo::writeMenuEntry(data, game, program, gameFolder / "picture.png"),
                 std::string());
        const korvo::MenuEntryFiles files = korvo::menuEntryFiles(data, game);
        QCOMPARE(QString::fromStdString(files.entry.filename()), id + ".desktop");
        if (folder.find('%') == std::string::npos) {
            QCOMPARE(desktopReading(files.entry),
                     (QStringList{QString::fromStdString(game), QString::fromStdString(program)}));
        }
        const std::string text = korvo::readFileBytes(files.entry);
        QVERIFY(text.find("\nIcon=" + files.icon.string() + "\n") != std::string::npos);
        QVERIFY(text.find("\nCategories=Game;Education;") != std::string::npos);
        QCOMPARE(QImage(QString::fromStdString(files.icon)).size(), QSize(128, 128));
        const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
        if (!validator.isEmpty()) {
            QProcess validate;
            validate.setProcessChannelMode(QProcess::MergedChannels);
            validate.start(validator, {QString::fromStdString(files.entry)});
            QVERIFY(validate.waitForFinished(20000));
            // Hints (such as two main categories, Game and Education) are no faults.
            const QByteArray said = validate.readAll();
            QVERIFY2(validate.exitCode() == 0 && !said.contains("error:") &&
                         !said.contains("warning:"),
                     said.constData());
        }
        korvo::removeMenuEntry(data, game, dir.path().toStdString() + "/other/" + game);
        QVERIFY(fs::exists(files.entry) && fs::exists(files.icon));
        korvo::removeMenuEntry(data, game, gameFolder);
        QVERIFY(!fs::exists(files.entry) && !fs::exists(files.icon));
    }
};

QTEST_GUILESS_MAIN(DesktopEntryTest)
#include "DesktopEntryTest.moc"
