// The uninstall entry in the registry store and its desktop entry: what they hold, that the
// desktop runs exactly the uninstaller from them, and that the uninstaller finds and removes
// what the launcher wrote.
#include "RegFunctions.h"
#include "Uninstaller.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
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
    QString store() const { return dir.path() + "/config/Korvo/registry.ini"; }
    QString entry() const {
        return dir.path() + "/share/applications/korvo-game-components.desktop";
    }

    QTemporaryDir dir;
    korvo::Registry registry{store()};
    launcher::RegFunctions reg{registry, entry().toStdString()};
};

// How the desktop would run the entry: GLib's own reading of Exec, by the system's Python.
std::optional<QStringList> desktopCommand(const QString& entry) {
    const char* script = R"(
import sys, gi
gi.require_version("Gio", "2.0")
from gi.repository import Gio, GLib
info = Gio.DesktopAppInfo.new_from_filename(sys.argv[1])
ok, argv = GLib.shell_parse_argv(info.get_commandline().replace("%%", "%"))
print("\n".join(argv))
)";
    QProcess python;
    python.start("/usr/bin/python3", {"-c", script, entry});
    if (!python.waitForFinished(20000) || python.exitCode() != 0) {
        return std::nullopt;
    }
    return QString::fromUtf8(python.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

} // namespace

class RegFunctionsTest : public QObject {
    Q_OBJECT
private slots:
    void entryNamesTheUninstallerOnceHoweverOftenWritten() {
        Fixture f;
        f.reg.WriteUninstallInfo("/home/ann/My Games/Korvo Game Components/");
        f.reg.WriteUninstallInfo("/home/ann/My Games/Korvo Game Components/");
        QCOMPARE(f.value("DisplayName"), std::optional<std::string>("Korvo Game Components"));
        // Blanks and all, without quotation marks.
        QCOMPARE(f.value("UninstallString"),
                 std::optional<std::string>(
                     "/home/ann/My Games/Korvo Game Components/Uninstall Components.exe"));
        QCOMPARE(QSettings(f.store(), QSettings::IniFormat).allKeys().size(), 2);
        QCOMPARE(QDir(f.dir.path() + "/share/applications").entryList(QDir::Files).size(), 1);
        QFile entry(f.entry());
        QVERIFY(entry.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(entry.readAll());
        QVERIFY(text.startsWith("[Desktop Entry]\n"));
        QVERIFY(text.contains("\nName=Korvo Game Components\n"));
    }
    void storeThatCannotBeWrittenIsPassedOver() {
        QTemporaryDir dir;
        // The store's folder is a file, so nothing can be made inside it.
        QFile blocker(dir.path() + "/config");
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        korvo::Registry registry(dir.path() + "/config/Korvo/registry.ini");
        launcher::RegFunctions reg(registry, (dir.path() + "/config/apps/x.desktop").toStdString());
        reg.InitRegKeys();
        QVERIFY(!reg.CreateNewKey("korvoscmpuninst"));
        QVERIFY(!reg.SetKeyValue("korvoscmpuninst", "DisplayName", "Korvo Game Components"));
        QVERIFY(!reg.WriteDesktopEntry("/games/Korvo Game Components/"));
        reg.WriteUninstallInfo("/games/Korvo Game Components/"); // goes on quietly
    }
    void desktopRunsExactlyTheUninstaller_data() {
        QTest::addColumn<QString>("folder");  // of the components directory, in a temporary one
        QTest::addColumn<QString>("written"); // that folder as the Exec value holds it
        // GLib looks for the program before it expands "%%", so it passes over an entry whose path
        // holds a "%"; the entry is right all the same.
        QTest::addColumn<bool>("glibReads");
        QTest::newRow("blanks and reserved characters")
            << R"(Ann's "a" $HOME `id` \b)"
            << R"(Ann's \\"a\\" \\$HOME \\`id\\` \\\\b)" << true;
        QTest::newRow("field code") << "100%u"
                                    << "100%%u" << false;
    }
    void desktopRunsExactlyTheUninstaller() {
        QFETCH(QString, folder);
        QFETCH(QString, written);
        QFETCH(bool, glibReads);
        Fixture f;
        const QString componentsDir = f.dir.path() + "/" + folder + "/";
        const QString uninstaller = componentsDir + "uninstall components.exe";
        QCOMPARE(QString::fromStdString(launcher::DesktopExec(uninstaller.toStdString())),
                 "\"" + f.dir.path() + "/" + written + "/uninstall components.exe\"");

        // The desktop takes an entry only when its program is there to run.
        QVERIFY(QDir().mkpath(componentsDir));
        QFile program(uninstaller);
        QVERIFY(program.open(QIODevice::WriteOnly));
        program.close();
        program.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(f.reg.WriteDesktopEntry(componentsDir.toStdString()));
        const auto command = glibReads ? desktopCommand(f.entry()) : std::nullopt;
        if (glibReads && !command) {
            QSKIP("python3-gi with Gio is not installed");
        }
        QCOMPARE(command.value_or(QStringList{uninstaller}), QStringList{uninstaller});
    }
    void uninstallerRemovesWhatTheLauncherWrote() {
        Fixture f;
        const QString components = f.dir.path() + "/Korvo Game Components/";
        QVERIFY(QDir().mkpath(components));
        f.reg.WriteUninstallInfo(components.toStdString());
        QVERIFY(QFile::exists(f.entry()));

        korvo::UninstallPlace place;
        place.componentsDir = components.toStdString();
        place.self = (components + "uninstall components.exe").toStdString();
        place.registry = &f.registry;
        place.desktopEntry = f.entry().toStdString();
        const korvo::UninstallResult result = korvo::removeGames(place, {});
        QVERIFY2(result.ok, result.reason.c_str());
        QVERIFY(result.cleanedUp);
        QVERIFY(!f.value("UninstallString") && !f.value("DisplayName"));
        QVERIFY(!QFile::exists(f.entry()));
    }
};

QTEST_GUILESS_MAIN(RegFunctionsTest)
#include "RegFunctionsTest.moc"
