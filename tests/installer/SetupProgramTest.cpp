// The real setup program, as the packed component the launcher ships, run as a process on the
// offscreen platform: a good component installs and ends with status 0; a bad one installs
// nothing, says why (also on its error output) and waits in its window, which the test then
// ends after checking the disk.
#include "ComponentFixture.h"
#include "Manifest.h"

#include <QProcess>
#include <QTest>

using namespace fixture;

class SetupProgramTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    fs::path m_root;
    fs::path m_components;

    fs::path copyComponent(const std::function<void(std::string&)>& change = {}) {
        std::string bytes = readText(KORVO_COMPONENTS_CMP);
        if (change) {
            change(bytes);
        }
        const fs::path copy = m_components / "korvo002.cmp";
        writeText(copy, bytes);
        fs::permissions(copy, fs::perms::owner_all);
        return copy;
    }

    void start(QProcess& process, const fs::path& program, const QStringList& arguments) {
        process.setProgram(QString::fromStdString(program.string()));
        process.setArguments(arguments);
        process.start();
        QVERIFY2(process.waitForStarted(10000), qPrintable(process.errorString()));
    }

    // Nothing but the component file (and the lock) in the components directory.
    void expectNothingInstalled() {
        for (const auto& item : fs::directory_iterator(m_components)) {
            const std::string name = item.path().filename().string();
            QVERIFY2(name == "korvo002.cmp" || name == ".components.lock", name.c_str());
        }
    }

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        m_root = m_dir->path().toStdString();
        m_components = m_root / "Korvo Game Components";
        fs::create_directory(m_components);
    }

    void packedComponentInstallsTheGame() {
        QProcess setup;
        start(setup, copyComponent(), {QString::fromStdString(m_components.string())});
        if (!setup.waitForFinished(60000)) {
            setup.kill();
            QFAIL("the setup program did not finish within 60 s");
        }
        QCOMPARE(setup.exitStatus(), QProcess::NormalExit);
        QVERIFY2(setup.exitCode() == 0, setup.readAllStandardError().constData());

        const fs::path game = m_components / "Korvo's Zeltrix";
        QVERIFY(fs::is_regular_file(game / "Korvo's Zeltrix.exe"));
        QVERIFY((fs::status(game / "Korvo's Zeltrix.exe").permissions() & fs::perms::owner_exec) !=
                fs::perms::none);
        const auto manifest = korvo::parseManifest(readText(game / korvo::kManifestName));
        QVERIFY2(manifest.error.empty(), manifest.error.c_str());
        // The manifest names exactly what is there.
        std::vector<std::string> present;
        for (const auto& item : fs::recursive_directory_iterator(game)) {
            present.push_back(fs::relative(item.path(), game).string() +
                              (item.is_directory() ? "/" : ""));
        }
        std::sort(present.begin(), present.end());
        QCOMPARE(manifest.entries, present);
        QVERIFY(std::count(present.begin(), present.end(), "add/questions.txt") == 1);
        // The staged game and the installed one hold the same bytes.
        QCOMPARE(readText(game / "add/questions.txt"),
                 readText(fs::path(KORVO_ZELTRIX_DIR) / "add/questions.txt"));
    }

    void badComponentsInstallNothingAndSayWhy_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("why");
        QTest::newRow("altered") << "altered"
                                 << "signature does not match";
        QTest::newRow("cut short") << "cut short"
                                   << "cut short";
        QTest::newRow("unsigned") << "unsigned"
                                  << "signed";
        QTest::newRow("no argument") << "no argument"
                                     << "No components folder";
        QTest::newRow("missing folder") << "missing folder"
                                        << "Cannot open the components folder";
    }
    void badComponentsInstallNothingAndSayWhy() {
        QFETCH(QString, fault);
        QFETCH(QString, why);
        fs::path program = copyComponent([&fault](std::string& bytes) {
            if (fault == "altered") {
                bytes[bytes.size() / 3] ^= 0x04;
            } else if (fault == "cut short") {
                bytes.resize(bytes.size() - 1000);
            }
        });
        QStringList arguments{QString::fromStdString(m_components.string())};
        if (fault == "unsigned") {
            fs::copy_file(KORVO_SETUP_PROGRAM, program, fs::copy_options::overwrite_existing);
        } else if (fault == "no argument") {
            arguments.clear();
        } else if (fault == "missing folder") {
            arguments = {QString::fromStdString((m_root / "none").string())};
        }
        QProcess setup;
        setup.setReadChannel(QProcess::StandardError);
        start(setup, program, arguments);
        QByteArray said;
        for (int i = 0; i < 300 && !said.contains(why.toUtf8()); ++i) {
            if (setup.state() != QProcess::Running) {
                break;
            }
            setup.waitForReadyRead(100);
            said += setup.readAllStandardError();
        }
        const bool running = setup.state() == QProcess::Running;
        setup.kill();
        setup.waitForFinished(10000);
        QVERIFY2(said.contains(why.toUtf8()), said.constData());
        QVERIFY2(running, "the window must wait for the user to read why");
        QVERIFY(said.contains("Korvo's"));
        expectNothingInstalled();
        QVERIFY(!fs::exists(m_root / "none"));
    }
};

QTEST_GUILESS_MAIN(SetupProgramTest)
#include "SetupProgramTest.moc"
