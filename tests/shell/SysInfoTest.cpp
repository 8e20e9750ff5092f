#include "SysInfo.h"

#include "Fakes.h"
#include "Help.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>

using korvo::RegistryRoot;

namespace {
const std::string kMsinfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
} // namespace

class SysInfoTest : public QObject {
    Q_OBJECT

    // A fresh configuration folder (the registry file) and an empty PATH for each test.
    std::unique_ptr<QTemporaryDir> m_config;
    std::unique_ptr<QTemporaryDir> m_path;
    fakes::FakeShell m_shell;
    std::vector<std::string> m_messages;

    static void set(const std::string& key, const std::string& name,
                    const korvo::RegistryValue& value) {
        korvo::Registry().SetValue(RegistryRoot::LocalMachine, key, name, value);
    }

private slots:
    void init() {
        m_config = std::make_unique<QTemporaryDir>();
        m_path = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", m_config->path().toLocal8Bit());
        qputenv("PATH", m_path->path().toLocal8Bit());
        m_shell = {};
        korvo::setShell(&m_shell);
        m_messages.clear();
        zeltrix::setPlatformMessage([this](const std::string& text, zeltrix::MessageIcon icon) {
            QCOMPARE(icon, zeltrix::MessageIcon::None);
            m_messages.push_back(text);
        });
    }

    void cleanup() {
        korvo::setShell(nullptr);
        zeltrix::setPlatformMessage({});
    }

    void getKeyValueReadsTextsAndNumbers() {
        set(kMsinfoKey, "PATH", std::string("C:\\Program Files\\msinfo32.exe"));
        set(kMsinfoKey, "Count", std::uint32_t{42});
        set(kMsinfoKey, "Big", std::uint32_t{0xFFFFFFFF});
        set(kMsinfoKey, "Tricky", std::string("dword:0000002a"));
        std::string result;
        QVERIFY(zeltrix::GetKeyValue(RegistryRoot::LocalMachine, kMsinfoKey, "PATH", result));
        QCOMPARE(result, "C:\\Program Files\\msinfo32.exe");
        QVERIFY(zeltrix::GetKeyValue(RegistryRoot::LocalMachine, kMsinfoKey, "Count", result));
        QCOMPARE(result, "42");
        QVERIFY(zeltrix::GetKeyValue(RegistryRoot::LocalMachine, kMsinfoKey, "Big", result));
        QCOMPARE(result, "4294967295");
        QVERIFY(zeltrix::GetKeyValue(RegistryRoot::LocalMachine, kMsinfoKey, "Tricky", result));
        QCOMPARE(result, "dword:0000002a");
        QVERIFY(!zeltrix::GetKeyValue(RegistryRoot::LocalMachine, kMsinfoKey, "None", result));
        QVERIFY(result.empty());
        QVERIFY(!zeltrix::GetKeyValue(RegistryRoot::CurrentUser, kMsinfoKey, "PATH", result));
    }

    void startsTheRegisteredProgram() {
        set(kMsinfoKey, "PATH", std::string("/opt/tools/msinfo32"));
        zeltrix::StartSysInfo();
        QCOMPARE(m_shell.started, std::vector<std::string>{"/opt/tools/msinfo32"});
        QVERIFY(m_messages.empty());
    }

    void startsMsinfo32FromTheSharedToolsFolderWhenItExists() {
        const std::string folder = m_path->path().toStdString();
        set(kLocationKey, "MSINFO", folder);
        zeltrix::StartSysInfo();
        QVERIFY(m_shell.started.empty());
        std::ofstream(folder + "/MSINFO32.EXE") << "";
        zeltrix::StartSysInfo();
        QCOMPARE(m_shell.started, std::vector<std::string>{folder + "/MSINFO32.EXE"});
    }

    void startsADesktopToolFoundOnThePath() {
        QFile tool(m_path->filePath("hardinfo"));
        QVERIFY(tool.open(QIODevice::WriteOnly));
        tool.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        tool.close();
        zeltrix::StartSysInfo();
        QCOMPARE(m_shell.started, std::vector<std::string>{tool.fileName().toStdString()});
        QVERIFY(m_messages.empty());
    }

    void saysSoWhenNoToolCanBeStarted() {
        zeltrix::StartSysInfo();
        set(kMsinfoKey, "PATH", std::string("/opt/tools/msinfo32"));
        m_shell.startSucceeds = false;
        zeltrix::StartSysInfo();
        QCOMPARE(m_messages,
                 std::vector<std::string>(2, "System Information Is Unavailable At This Time"));
    }
};

QTEST_GUILESS_MAIN(SysInfoTest)
#include "SysInfoTest.moc"
