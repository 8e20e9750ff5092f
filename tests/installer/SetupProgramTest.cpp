// The real setup program, as the packed component the launcher ships, run as a process on the
// offscreen platform: a good component installs and ends with status 0; a bad one installs
// nothing, says why (also on its error output) and waits in its window until it is told to stop,
// then ends with a status that is not 0.
#include "ComponentFixture.h"
#include "Manifest.h"

#include <QProcess>
#include <QTest>

using namespace fixture;

class SetupProgramTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    fs::path m_components;

    // Starts a copy of the packed component, one byte of its archive altered when asked (the
    // program itself stays whole, so what runs is the check), with the arguments.
    void start(QProcess& setup, bool altered, const QStringList& arguments) {
        std::string bytes = readText(KORVO_COMPONENTS_CMP);
        const std::size_t archive = bytes.size() - 1024;
        bytes[archive] = static_cast<char>(bytes[archive] ^ (altered ? 4 : 0));
        writeText(m_components / "korvo002.cmp", bytes);
        fs::permissions(m_components / "korvo002.cmp", fs::perms::owner_all);
        setup.setReadChannel(QProcess::StandardError);
        setup.start(QString::fromStdString((m_components / "korvo002.cmp").string()), arguments);
        QVERIFY2(setup.waitForStarted(10000), qPrintable(setup.errorString()));
    }

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        m_components = m_dir->path().toStdString() + "/Korvo Game Components";
    }

    void packedComponentInstallsTheGame() {
        QProcess setup;
        start(setup, false, {QString::fromStdString(m_components.string())});
        QVERIFY(setup.waitForFinished(60000)); // else it is killed as it goes
        QVERIFY2(setup.exitStatus() == QProcess::NormalExit && setup.exitCode() == 0,
                 setup.readAllStandardError().constData());
        const fs::path game = m_components / "Korvo's Zeltrix";
        QCOMPARE(fs::status(game / "Korvo's Zeltrix.exe").permissions(), fs::perms(0755));
        QCOMPARE(readText(game / "add/questions.txt"),
                 readText(fs::path(KORVO_ZELTRIX_DIR) / "add/questions.txt"));
        QVERIFY(fs::is_regular_file(game / korvo::kManifestName));
    }

    void badComponentInstallsNothingAndSaysWhy_data() {
        QTest::addColumn<bool>("altered");
        QTest::addColumn<QString>("why");
        QTest::newRow("altered") << true << "signature does not match";
        QTest::newRow("no components folder given") << false << "No components folder";
    }
    void badComponentInstallsNothingAndSaysWhy() {
        QFETCH(bool, altered);
        QFETCH(QString, why);
        QProcess setup;
        start(setup, altered,
              altered ? QStringList{QString::fromStdString(m_components.string())} : QStringList{});
        QByteArray said;
        while (!said.contains(why.toUtf8()) && setup.waitForReadyRead(30000)) {
            said += setup.readAllStandardError();
        }
        QVERIFY2(said.contains(why.toUtf8()) && said.contains("Korvo's"), said.constData());
        QTest::qWait(200);
        QVERIFY2(setup.state() == QProcess::Running, "the window waits for the user to read why");
        setup.terminate(); // as when the user closes it, or logs out
        QVERIFY(setup.waitForFinished(10000));
        QVERIFY(setup.exitStatus() == QProcess::NormalExit && setup.exitCode() != 0);
        QCOMPARE(listing(m_components, "korvo002.cmp"), QString()); // nothing else there
    }
};

QTEST_GUILESS_MAIN(SetupProgramTest)
#include "SetupProgramTest.moc"
