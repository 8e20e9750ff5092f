// The uninstall entry in the registry store and its desktop entry: what they hold, and that the
// desktop runs exactly the uninstaller from it.
#include "RegFunctions.h"
#include "DesktopEntry.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Fixture {
    std::optional<std::string> value(const std::string& name) const {
        const auto found = registry.QueryValue(
            korvo::RegistryRoot::LocalMachine,
            "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\korvoscmpuninst", name);
        return found ? std::optional(std::get<std::string>(*found)) : std::nullopt;
    }

    QTemporaryDir dir;
    QString store = dir.path() + "/config/Korvo/registry.ini";
    QString entry = dir.path() + "/share/applications/korvo-game-components.desktop";
    korvo::Registry registry{store};
    launcher::RegFunctions reg{registry, entry.toStdString()};
};

// How the desktop would show and run the entry, as GLib reads it, by the system's Python: its
// name, then the words of its command.
QStringList desktopReading(const QString& entry) {
    const char* script = R"(
import sys, gi
gi.require_version("Gio", "2.0")
from gi.repository import Gio, GLib
info = Gio.DesktopAppInfo.new_from_filename(sys.argv[1])
ok, argv = GLib.shell_parse_argv(info.get_commandline().replace("%%", "%"))
print("\n".join([info.get_name()] + argv))
)";
    QProcess python;
    python.start("/usr/bin/python3", {"-c", script, entry});
    python.waitForFinished(20000);
    return QString::fromUtf8(python.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

} // namespace

class RegFunctionsTest : public QObject {
    Q_OBJECT
private slots:
    void uninstallEntryAndDesktopRunExactlyTheUninstaller_data() {
        QTest::addColumn<QString>("folder");  // of the components directory, in a temporary one
        QTest::addColumn<QString>("written"); // that folder as the Exec value holds it
        QTest::newRow("blanks and reserved characters")
            << R"(Ann's "a" $HOME `id` \b)"
            << R"(Ann's \\"a\\" \\$HOME \\`id\\` \\\\b)";
        // GLib looks for the program before it expands "%%", so it passes over an entry whose
        // path holds a "%"; the entry is right all the same.
        QTest::newRow("field code") << QString("100%u") << QString("100%%u");
    }
    void uninstallEntryAndDesktopRunExactlyTheUninstaller() {
        QFETCH(QString, folder);
        QFETCH(QString, written);
        Fixture f;
        const QString componentsDir = f.dir.path() + "/" + folder + "/";
        const QString uninstaller = componentsDir + "uninstall components.exe";
        QCOMPARE(QString::fromStdString(korvo::desktopExec(uninstaller.toStdString())),
                 "\"" + f.dir.path() + "/" + written + "/uninstall components.exe\"");
        // The desktop takes an entry only when its program is there to run.
        QVERIFY(QDir().mkpath(componentsDir));
        QFile program(uninstaller);
        QVERIFY(program.open(QIODevice::WriteOnly));
        program.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        QVERIFY(f.reg.WriteDesktopEntry(componentsDir.toStdString()));
        // The uninstall entry names the same program, blanks and all, without quotation marks.
        f.reg.WriteUninstallInfo(componentsDir.toStdString());
        QCOMPARE(f.value("UninstallString"), std::optional(uninstaller.toStdString()));
        if (!folder.contains('%')) {
            QCOMPARE(desktopReading(f.entry), (QStringList{"Korvo Game Components", uninstaller}));
        }
    }
};

QTEST_GUILESS_MAIN(RegFunctionsTest)
#include "RegFunctionsTest.moc"
