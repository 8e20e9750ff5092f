// The setup program, as the packed component the launcher ships, and the uninstaller, each run as
// a process on the offscreen platform: what it leaves in the components folder, and the exit
// status that tells the launcher how it ended. A stop asked by SIGTERM stands in for the user's
// Cancel or Close.
#include "ComponentFixture.h"
#include "ComponentLock.h"
#include "Manifest.h"

#include <QProcess>
#include <QTest>

#include <csignal>
#include <optional>

using namespace fixture;

class InstallerProgramsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    fs::path m_components;

    void start(QProcess& program, const fs::path& file, const QStringList& arguments) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_CONFIG_HOME", m_dir->path()); // the uninstall entry's store
        environment.insert("XDG_DATA_HOME", m_dir->path());   // the desktop entry
        program.setProcessEnvironment(environment);
        program.setReadChannel(QProcess::StandardError);
        program.start(QString::fromStdString(file.string()), arguments);
        QVERIFY2(program.waitForStarted(10000), qPrintable(program.errorString()));
    }

    // Asks the program to stop once it catches SIGTERM (before, the signal would kill it).
    static void stop(QProcess& program) {
        const auto catchesStop = [&program] {
            std::ifstream status("/proc/" + std::to_string(program.processId()) + "/status");
            std::string line;
            while (std::getline(status, line) && !line.starts_with("SigCgt:")) {
            }
            return line.size() > 7 &&
                   (std::stoull(line.substr(7), nullptr, 16) >> (SIGTERM - 1) & 1);
        };
        QTRY_VERIFY_WITH_TIMEOUT(catchesStop(), 30000);
        program.terminate();
        QVERIFY(program.waitForFinished(30000));
    }

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        m_components = m_dir->path().toStdString() + "/Korvo Game Components";
        fs::create_directory(m_components);
    }

    void setupInstallsOrSaysWhyNot_data() {
        QTest::addColumn<bool>("altered"); // one byte of the archive; the program stays whole
        QTest::addColumn<bool>("folderGiven");
        QTest::addColumn<bool>("locked"); // another installation runs
        QTest::addColumn<QString>("why"); // in the window and on the error output
        QTest::addColumn<int>("status");
        QTest::newRow("installed") << false << true << false << "" << 0;
        QTest::newRow("altered") << true << true << false << "signature does not match" << 1;
        QTest::newRow("no components folder given")
            << false << false << false << "No components folder" << 1;
        QTest::newRow("stopped while it waits") << false << true << true << "" << 2;
    }
    void setupInstallsOrSaysWhyNot() {
        QFETCH(bool, altered);
        QFETCH(bool, folderGiven);
        QFETCH(bool, locked);
        QFETCH(QString, why);
        QFETCH(int, status);
        std::string bytes = readText(KORVO_COMPONENTS_CMP);
        bytes[bytes.size() - 1024] = static_cast<char>(bytes[bytes.size() - 1024] ^ altered * 4);
        const fs::path component = m_components.parent_path() / "korvo002.cmp";
        writeText(component, bytes);
        fs::permissions(component, fs::perms::owner_all);
        std::optional<korvo::ComponentLock> lock;
        if (locked) {
            lock.emplace(m_components, std::chrono::seconds(1));
        }
        QProcess setup;
        start(setup, component,
              folderGiven ? QStringList{QString::fromStdString(m_components.string())}
                          : QStringList{});
        QByteArray said;
        while (!said.contains(why.toUtf8()) && setup.waitForReadyRead(30000)) {
            said += setup.readAllStandardError();
        }
        QVERIFY2(said.contains(why.toUtf8()) && (why.isEmpty() || said.contains("Korvo's")),
                 said.constData());
        if (status == 0) {
            QVERIFY(setup.waitForFinished(60000)); // else it is killed as it goes
        } else {
            QTest::qWait(200);
            QVERIFY2(setup.state() == QProcess::Running, "the window waits for the user");
            stop(setup);
        }
        QCOMPARE(setup.exitStatus(), QProcess::NormalExit);
        QVERIFY2(setup.exitCode() == status, setup.readAllStandardError().constData());
        if (status != 0) {
            QCOMPARE(listing(m_components), QString()); // nothing, not even a temporary folder
            return;
        }
        const fs::path game = m_components / "Korvo's Zeltrix";
        QCOMPARE(fs::status(game / "Korvo's Zeltrix.exe").permissions(), fs::perms(0755));
        QCOMPARE(readText(game / "add/questions.txt"),
                 readText(fs::path(KORVO_ZELTRIX_DIR) / "add/questions.txt"));
        QVERIFY(fs::is_regular_file(game / korvo::kManifestName));
    }

    void uninstallerClosedRemovesNothing_data() {
        QTest::addColumn<bool>("installed"); // a game, else nothing to remove
        QTest::newRow("a game listed: status 2") << true;
        QTest::newRow("nothing to remove: status 0, the uninstaller gone") << false;
    }
    void uninstallerClosedRemovesNothing() {
        QFETCH(bool, installed);
        const fs::path uninstaller = m_components / "uninstall components.exe";
        fs::copy_file(KORVO_UNINSTALLER, uninstaller);
        const fs::path game = m_components / "Korvo's Test";
        if (installed) {
            writeText(game / korvo::kManifestName, "Korvo component manifest 1\nx\n");
        }
        QProcess program;
        start(program, uninstaller, {"CP"});
        stop(program);
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), installed ? 2 : 0);
        QCOMPARE(fs::exists(uninstaller), installed);
        QCOMPARE(fs::exists(game), installed);
    }
};

QTEST_GUILESS_MAIN(InstallerProgramsTest)
#include "InstallerProgramsTest.moc"
