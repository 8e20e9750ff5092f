#include "SysInfo.h"

#include "PlatformFakes.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>

using korvo::RegistryRoot;

class SysInfoTest : public QObject {
    Q_OBJECT

private slots:
    // Where the program comes from: the registry's path, MSINFO32.EXE in the registered shared
    // tools folder, a desktop tool on the PATH. "setup" names what there is; "started" ends the
    // path of the program started; the player is told when it does not start.
    void startsTheFirstProgramFoundOrSaysItIsUnavailable_data() {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("started");
        const auto row = [](const char* name, const char* setup, const char* started) {
            QTest::newRow(name) << QString(setup) << QString(started);
        };
        row("registered", "registered shared msinfo32 desktop", "/opt/msinfo32");
        row("shared folder", "shared msinfo32 desktop", "/MSINFO32.EXE");
        row("shared folder without it: desktop tool", "shared desktop", "/hardinfo");
        row("registered but not starting", "registered fails", "/opt/msinfo32");
    }

    void startsTheFirstProgramFoundOrSaysItIsUnavailable() {
        QFETCH(QString, setup);
        QFETCH(QString, started);
        // A fresh configuration folder (the registry file) and an empty PATH.
        QTemporaryDir config;
        QTemporaryDir path;
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
        qputenv("PATH", path.path().toLocal8Bit());
        fakes::FakeDesktop desktop;
        const std::string folder = path.path().toStdString();
        korvo::Registry registry;
        if (setup.contains("registered")) {
            registry.SetValue(RegistryRoot::LocalMachine,
                              "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH",
                              std::string("/opt/msinfo32"));
        }
        if (setup.contains("shared")) {
            registry.SetValue(RegistryRoot::LocalMachine,
                              "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", folder);
        }
        if (setup.contains("msinfo32")) {
            std::ofstream(folder + "/MSINFO32.EXE") << "";
        }
        if (setup.contains("desktop")) {
            QFile tool(path.filePath("hardinfo"));
            QVERIFY(tool.open(QIODevice::WriteOnly));
            tool.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        }
        desktop.shell.startSucceeds = !setup.contains("fails");
        korvo::StartSysInfo();

        QCOMPARE(desktop.shell.started.size(), std::size_t(1));
        QVERIFY(desktop.shell.started[0].ends_with(started.toStdString()));
        QCOMPARE(desktop.messages.texts(),
                 std::vector<std::string>(setup.contains("fails") ? 1 : 0,
                                          "System Information Is Unavailable At This Time"));
    }
};

QTEST_GUILESS_MAIN(SysInfoTest)
#include "SysInfoTest.moc"
