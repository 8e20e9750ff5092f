// The setup program, as the packed component the launcher ships, and the uninstaller, each run as
// a process on the offscreen platform: what it leaves in the components folder, and the exit
// status that tells the launcher how it ended. A stop asked by SIGTERM stands in for the user's
// Cancel or Close. Neither reads a qt.conf planted beside it. The launcher's way of running the
// setup program, from a sealed copy in memory, is taken end to end.
#include "ComponentFixture.h"
#include "ComponentLock.h"
#include "Manifest.h"

#include <QProcess>
#include <QTest>

#include <csignal>
#include <memory>

#include <unistd.h>

using namespace fixture;

// A qt.conf planted beside a program; Qt must never read it.
const char* const kForeignQtConf = "[Paths]\nPrefix=/nonexistent\nPlugins=/nonexistent\n";

class InstallerProgramsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    fs::path m_components;

    static void start(QProcess& program, const fs::path& file, const QStringList& arguments) {
        // Until the program catches SIGTERM, the signal is ignored instead of killing it.
        program.setChildProcessModifier([] { ::signal(SIGTERM, SIG_IGN); });
        program.setReadChannel(QProcess::StandardError);
        program.start(QString::fromStdString(file.string()), arguments);
        QVERIFY2(program.waitForStarted(10000), qPrintable(program.errorString()));
    }

    // Asks the program to stop, as often as it takes to be heard, until it ends.
    static void stop(QProcess& program) {
        do {
            program.terminate();
        } while (!program.waitForFinished(200));
    }

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        m_components = m_dir->path().toStdString() + "/Korvo Game Components";
        qputenv("XDG_CONFIG_HOME", m_dir->path().toUtf8()); // the uninstall entry's store
        qputenv("XDG_DATA_HOME", m_dir->path().toUtf8());   // the desktop entry
        fs::create_directory(m_components);
    }

    void setupInstallsOrSaysWhyNot_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("why"); // in the window and on the error output
        QTest::addColumn<int>("status");
        const auto row = [](const char* name, const char* fault, const char* why, int status) {
            QTest::newRow(name) << QString(fault) << QString(why) << status;
        };
        row("installed", "", "", 0);
        // One byte of the archive: the program itself stays whole.
        row("altered", "altered", "signature does not match", 1);
        row("no components folder given", "no folder", "No components folder", 1);
        row("stopped while another installation runs", "locked", "", 2);
    }
    void setupInstallsOrSaysWhyNot() {
        QFETCH(QString, fault);
        QFETCH(QString, why);
        QFETCH(int, status);
        std::string bytes = readText(KORVO_COMPONENTS_CMP);
        bytes[bytes.size() - 1024] ^= fault == "altered" ? 4 : 0;
        const fs::path component = m_components.parent_path() / "korvo002.cmp";
        writeText(component, bytes);
        fs::permissions(component, fs::perms::owner_all);
        // Read, it would send Qt to plugins that do not exist.
        writeText(component.parent_path() / "qt.conf", kForeignQtConf);
        const auto lock =
            fault == "locked"
                ? std::make_unique<korvo::ComponentLock>(m_components, std::chrono::seconds(1))
                : nullptr;
        QProcess setup;
        start(setup, component,
              fault == "no folder" ? QStringList{}
                                   : QStringList{QString::fromStdString(m_components.string())});
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
        QCOMPARE(readText(m_components / "Korvo's Zeltrix/add/questions.txt"),
                 readText(fs::path(KORVO_ZELTRIX_DIR) / "add/questions.txt"));
    }

    void uninstallerClosedRemovesNothing() {
        const fs::path uninstaller = m_components / "uninstall components.exe";
        const fs::path manifest = m_components / "Korvo's Test" / korvo::kManifestName;
        writeText(manifest, "Korvo component manifest 1\nx\n");
        // A game listed; then nothing to remove, and the uninstaller removes itself.
        for (const int status : {2, 0}) {
            fs::copy_file(KORVO_UNINSTALLER, uninstaller, fs::copy_options::skip_existing);
            writeText(m_components / "qt.conf", kForeignQtConf);
            QProcess program;
            start(program, uninstaller, {"CP"});
            stop(program);
            QCOMPARE(program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1,
                     status);
            QCOMPARE(fs::exists(uninstaller) && fs::exists(manifest), status == 2);
            fs::remove(manifest);
        }
    }
};

QTEST_GUILESS_MAIN(InstallerProgramsTest)
#include "InstallerProgramsTest.moc"
