#include "SysInfo.h"

#include "PlatformFakes.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <optional>

using korvo::RegistryRoot;

namespace {
const std::string kMsinfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

void set(const std::string& key, const std::string& name, const korvo::RegistryValue& value) {
    korvo::Registry().SetValue(RegistryRoot::LocalMachine, key, name, value);
}
} // namespace

class SysInfoTest : public QObject {
    Q_OBJECT

    // A fresh configuration folder (the registry file) and an empty PATH for each test.
    std::unique_ptr<QTemporaryDir> m_config;
    std::unique_ptr<QTemporaryDir> m_path;
    std::optional<fakes::FakeDesktop> m_desktop;

private slots:
    void init() {
        m_config = std::make_unique<QTemporaryDir>();
        m_path = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", m_config->path().toLocal8Bit());
        qputenv("PATH", m_path->path().toLocal8Bit());
        m_desktop.emplace();
    }

    void cleanup() { m_desktop.reset(); }

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
        const std::string folder = m_path->path().toStdString();
        if (setup.contains("registered")) {
            set(kMsinfoKey, "PATH", std::string("/opt/msinfo32"));
        }
        if (setup.contains("shared")) {
            set(kLocationKey, "MSINFO", folder);
        }
        if (setup.contains("msinfo32")) {
            std::ofstream(folder + "/MSINFO32.EXE") << "";
        }
        if (setup.contains("desktop")) {
            QFile tool(m_path->filePath("hardinfo"));
            QVERIFY(tool.open(QIODevice::WriteOnly));
            tool.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        }
        m_desktop->shell.startSucceeds = !setup.contains("fails");
        korvo::StartSysInfo();

        QCOMPARE(m_desktop->shell.started.size(), std::size_t(1));
        QVERIFY(m_desktop->shell.started[0].ends_with(started.toStdString()));
        QCOMPARE(m_desktop->messages.texts(),
                 std::vector<std::string>(setup.contains("fails") ? 1 : 0,
                                          "System Information Is Unavailable At This Time"));
    }
};

QTEST_GUILESS_MAIN(SysInfoTest)
#include "SysInfoTest.moc"
