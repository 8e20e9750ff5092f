#include "SysInfo.h"

#include "PlatformFakes.h"

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
    fakes::FakeMessages m_messages;

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
        m_messages = {};
        korvo::setMessages(&m_messages);
    }

    void cleanup() {
        korvo::setShell(nullptr);
        korvo::setMessages(nullptr);
    }

    void getKeyValueReadsTextsAndNumbers() {
        set(kMsinfoKey, "PATH", std::string("C:\\Program Files\\msinfo32.exe"));
        set(kMsinfoKey, "Count", std::uint32_t{42});
        set(kMsinfoKey, "Big", std::uint32_t{0xFFFFFFFF});
        set(kMsinfoKey, "Tricky", std::string("dword:0000002a"));
        std::string result;
        QVERIFY(korvo::GetKeyValue(RegistryRoot::LocalMachine, kMsinfoKey, "PATH", result));
        QCOMPARE(result, "C:\\Program Files\\msinfo32.exe");
        QVERIFY(korvo::GetKeyValue(RegistryRoot::LocalMachine, kMsinfoKey, "Count", result));
        QCOMPARE(result, "42");
        QVERIFY(korvo::GetKeyValue(RegistryRoot::LocalMachine, kMsinfoKey, "Big", result));
        QCOMPARE(result, "4294967295");
        QVERIFY(korvo::GetKeyValue(RegistryRoot::LocalMachine, kMsinfoKey, "Tricky", result));
        QCOMPARE(result, "dword:0000002a");
        QVERIFY(!korvo::GetKeyValue(RegistryRoot::LocalMachine, kMsinfoKey, "None", result));
        QVERIFY(result.empty());
        QVERIFY(!korvo::GetKeyValue(RegistryRoot::CurrentUser, kMsinfoKey, "PATH", result));
    }

    void startsTheRegisteredProgram() {
        set(kMsinfoKey, "PATH", std::string("/opt/tools/msinfo32"));
        korvo::StartSysInfo();
        QCOMPARE(m_shell.started, std::vector<std::string>{"/opt/tools/msinfo32"});
        QVERIFY(m_messages.shown.empty());
    }

    void startsMsinfo32FromTheSharedToolsFolderWhenItExists() {
        const std::string folder = m_path->path().toStdString();
        set(kLocationKey, "MSINFO", folder);
        korvo::StartSysInfo();
        QVERIFY(m_shell.started.empty());
        std::ofstream(folder + "/MSINFO32.EXE") << "";
        korvo::StartSysInfo();
        QCOMPARE(m_shell.started, std::vector<std::string>{folder + "/MSINFO32.EXE"});
    }

    void startsADesktopToolFoundOnThePath() {
        QFile tool(m_path->filePath("hardinfo"));
        QVERIFY(tool.open(QIODevice::WriteOnly));
        tool.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        tool.close();
        korvo::StartSysInfo();
        QCOMPARE(m_shell.started, std::vector<std::string>{tool.fileName().toStdString()});
        QVERIFY(m_messages.shown.empty());
    }

    void saysSoWhenNoToolCanBeStarted() {
        korvo::StartSysInfo();
        set(kMsinfoKey, "PATH", std::string("/opt/tools/msinfo32"));
        m_shell.startSucceeds = false;
        korvo::StartSysInfo();
        QCOMPARE(m_messages.texts(),
                 std::vector<std::string>(2, "System Information Is Unavailable At This Time"));
        QVERIFY(m_messages.shown[0].icon == korvo::MessageIcon::None);
    }
};

QTEST_GUILESS_MAIN(SysInfoTest)
#include "SysInfoTest.moc"
