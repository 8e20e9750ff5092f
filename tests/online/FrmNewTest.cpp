// The new-games window with the real HTTP client against a real server on loopback: loading the
// list, the refusals of "Add", the hand-over to the download window, and closing it while the
// list is on its way.
#include <QtTest>

#include "FrmNew.h"
#include "OnlineFakes.h"
#include "PlatformFakes.h"
#include "QtHttpClient.h"
#include "Script.h"
#include "TestHttpServer.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

#include <filesystem>

using namespace std::chrono_literals;
using testing::Answer;
using testing::Script;
using Strings = std::vector<std::string>;

namespace {

const std::string kList = "/downloads/newreleases.txt";

Answer text(int status, std::string body) {
    Answer a;
    a.status = status;
    a.body = std::move(body);
    return a;
}

Answer silent() {
    Answer a;
    a.manner = Answer::Manner::Silent;
    return a;
}

QStringList lines(const QDialog& window) {
    QStringList result;
    const auto* list = window.findChild<QListWidget*>("lst_Games");
    for (int i = 0; i < list->count(); ++i) {
        result << list->item(i)->text();
    }
    return result;
}

bool enabled(const QDialog& window, const char* name) {
    return window.findChild<QWidget*>(name)->isEnabled();
}

struct Fixture {
    Fixture() {
        setup.downloadHost = server.host();
        frmMain.show();
    }

    // A window as StartGame opens it: owned by the main window, destroyed when it closes.
    launcher::FrmNew* open() {
        auto* window = new launcher::FrmNew(setup, &frmMain);
        window->setAttribute(Qt::WA_DeleteOnClose);
        return window;
    }

    testing::TestHttpServer server;
    QTemporaryDir dir;
    fakes::FakeComponentInstaller installer;
    korvo::QtHttpClient http;
    launcher::OnlineSetup setup{dir.path().toStdString() + "/Korvo Game Components/", installer,
                                http};
    QWidget frmMain;
};

} // namespace

class FrmNewTest : public QObject {
    Q_OBJECT

    fakes::FakeMessages m_messages;

private slots:
    void init() {
        m_messages = {};
        korvo::setMessages(&m_messages);
    }
    void cleanup() { korvo::setMessages(nullptr); }

    void window_showsItsDesignTexts();
    void load_showsTheGamesOfTheServersList_data();
    void load_showsTheGamesOfTheServersList();
    void add_withoutASelectedLineKeepsTheWindowOpen();
    void add_handsTheChosenGameToTheDownloadWindow();
    void close_whileLoadingEndsTheWaitAtOnce_data();
    void close_whileLoadingEndsTheWaitAtOnce();
    void activation_fetchesTheListAgain();
};

void FrmNewTest::window_showsItsDesignTexts() {
    Fixture fixture;
    launcher::FrmNew window(fixture.setup, nullptr);
    QCOMPARE(window.objectName(), QString("frm_New"));
    QCOMPARE(window.windowTitle(), QString("Add New Game"));
    QCOMPARE(window.findChild<QLabel*>("lb_Install")->text(),
             QString("Please select a game to add to the Control Panel, and then click 'Add'."));
    auto* add = window.findChild<QPushButton*>("cmd_Download");
    QCOMPARE(add->text(), QString("&Add"));
    QCOMPARE(add->toolTip(), QString("Download a new game from the Quibbrik website."));
    QCOMPARE(window.findChild<QPushButton*>("cmd_Close")->text(), QString("&Close"));
    QVERIFY(
        window.findChild<QListWidget*>("lst_Games")->font().families().contains("Comic Sans MS"));
}

void FrmNewTest::load_showsTheGamesOfTheServersList_data() {
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<bool>("games");
    QTest::newRow("two games") << 200 << QByteArray("NAME:A,FILE:a.cmp\nNAME:B,FILE:b.cmp\n")
                               << QStringList{"A", "B"} << true;
    QTest::newRow("lower-case keywords") << 200 << QByteArray("name:Korvo's Zeltrix,file:k.cmp\n")
                                         << QStringList{"Korvo's Zeltrix"} << true;
    QTest::newRow("empty list") << 200 << QByteArray() << QStringList{"No new games found."}
                                << false;
    QTest::newRow("list missing on the server")
        << 404 << QByteArray("NAME:A,FILE:a.cmp\n") << QStringList{"No new games found."} << false;
}

void FrmNewTest::load_showsTheGamesOfTheServersList() {
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(QStringList, shown);
    QFETCH(bool, games);
    Fixture fixture;
    fixture.server.answer(kList, text(status, body.toStdString()));
    QPointer<launcher::FrmNew> window = fixture.open();
    QStringList seen;
    bool listEnabled = false;
    bool addEnabled = false;
    Script script;
    script.then(
        [&] {
            return window && !fixture.server.requests().empty() && lines(*window) != seen &&
                   !lines(*window).contains("Loading list. Please wait...");
        },
        [&] {
            seen = lines(*window);
            listEnabled = enabled(*window, "lst_Games");
            addEnabled = enabled(*window, "cmd_Download");
            window->reject();
        });
    window->exec();
    QVERIFY(!script.timedOut());
    QVERIFY(window.isNull()); // destroyed when closed
    QCOMPARE(seen, shown);
    QCOMPARE(listEnabled, games);
    QCOMPARE(addEnabled, games);
    QCOMPARE(fixture.server.requests(), Strings{kList});
    QVERIFY(m_messages.shown.empty());
}

void FrmNewTest::add_withoutASelectedLineKeepsTheWindowOpen() {
    Fixture fixture;
    fixture.server.answer(kList, text(200, "NAME:A,FILE:a.cmp\n"));
    QPointer<launcher::FrmNew> window = fixture.open();
    bool stillOpen = false;
    Script script;
    script.then([&] { return window && lines(*window) == QStringList{"A"}; },
                [&] {
                    // The focus rests on the line without selecting it: that is no choice.
                    auto* list = window->findChild<QListWidget*>("lst_Games");
                    list->setCurrentRow(0, QItemSelectionModel::NoUpdate);
                    window->findChild<QPushButton*>("cmd_Download")->click();
                    stillOpen = window->isVisible();
                    window->reject();
                });
    window->exec();
    QVERIFY(!script.timedOut());
    QVERIFY(stillOpen);
    QCOMPARE(m_messages.texts(), Strings{"Please select a game from the list."});
    QCOMPARE(fixture.server.requests(), Strings{kList});
}

void FrmNewTest::add_handsTheChosenGameToTheDownloadWindow() {
    Fixture fixture;
    fixture.server.answer(kList, text(200, "NAME:A,FILE:a.cmp\nNAME:B,FILE:b.cmp\n"));
    Answer component = text(200, std::string(3000, 'b'));
    component.pieceBytes = 1000;
    component.pieceMs = 50;
    fixture.server.answer("/downloads/b.cmp", component);
    QPointer<launcher::FrmNew> window = fixture.open();
    bool newGoneWhenAddShown = false;
    QWidget* addOwner = nullptr;
    QString status;
    Script script(30000);
    script
        .then(
            [&] {
                return window && lines(*window) == QStringList{"A", "B"};
            },
            [&] {
                window->findChild<QListWidget*>("lst_Games")->setCurrentRow(1);
                window->findChild<QPushButton*>("cmd_Download")->click();
            })
        .then([] { return Script::modal("frm_Add") != nullptr; },
              [&] {
                  QDialog* add = Script::modal("frm_Add");
                  newGoneWhenAddShown = window.isNull();
                  addOwner = add->parentWidget();
                  status = add->findChild<QLabel*>("lb_Status")->text();
              });
    window->exec();
    QTRY_VERIFY_WITH_TIMEOUT(script.finished() || script.timedOut(), 20000);
    QTRY_VERIFY_WITH_TIMEOUT(fixture.installer.watcherStarts == 1 || script.timedOut(), 20000);
    QVERIFY(!script.timedOut());
    QVERIFY(newGoneWhenAddShown);
    QCOMPARE(addOwner, &fixture.frmMain);
    QCOMPARE(status,
             QString::fromStdString("Downloading from Quibbrik :\nhttp://" + fixture.server.host() +
                                    "/downloads/b.cmp\n\nPlease stand by..."));
    QCOMPARE(fixture.installer.installed, Strings{fixture.setup.componentsDir + "b.cmp"});
    QVERIFY(std::filesystem::file_size(fixture.setup.componentsDir + "b.cmp") == 3000);
    QCOMPARE(fixture.server.requests(), (Strings{kList, "/downloads/b.cmp"}));
}

void FrmNewTest::close_whileLoadingEndsTheWaitAtOnce_data() {
    QTest::addColumn<bool>("escape");
    QTest::newRow("Close") << false;
    QTest::newRow("Escape") << true;
}

void FrmNewTest::close_whileLoadingEndsTheWaitAtOnce() {
    QFETCH(bool, escape);
    Fixture fixture;
    fixture.server.answer(kList, silent());
    QPointer<launcher::FrmNew> window = fixture.open();
    QStringList loading;
    bool anyEnabled = true;
    Script script;
    script.then([&] { return window && !fixture.server.requests().empty(); },
                [&] {
                    loading = lines(*window);
                    anyEnabled = enabled(*window, "lst_Games") || enabled(*window, "cmd_Download");
                    if (escape) {
                        QTest::keyClick(window, Qt::Key_Escape);
                    } else {
                        window->findChild<QPushButton*>("cmd_Close")->click();
                    }
                });
    QElapsedTimer clock;
    clock.start();
    window->exec();
    QVERIFY(!script.timedOut());
    QVERIFY(window.isNull());
    QVERIFY(clock.elapsed() < 60000); // the close ended the wait, not the time-out
    QCOMPARE(loading, QStringList{"Loading list. Please wait..."});
    QVERIFY(!anyEnabled);
    QVERIFY(m_messages.shown.empty());
}

void FrmNewTest::activation_fetchesTheListAgain() {
    Fixture fixture;
    fixture.server.answer(kList, text(200, "NAME:A,FILE:a.cmp\n"));
    QPointer<launcher::FrmNew> window = fixture.open();
    QWidget other;
    QStringList second;
    Script script;
    script
        .then(
            [&] {
                return window && lines(*window) == QStringList{"A"} && window->isActiveWindow();
            },
            [&] {
                fixture.server.answer(kList, text(200, "NAME:A,FILE:a.cmp\nNAME:C,FILE:c.cmp\n"));
                other.show();
                other.activateWindow();
            })
        .then([&] { return window && other.isActiveWindow(); }, [&] { window->activateWindow(); })
        .then([&] { return window && lines(*window).size() == 2; },
              [&] {
                  second = lines(*window);
                  window->reject();
              });
    window->exec();
    QVERIFY(!script.timedOut());
    QCOMPARE(second, (QStringList{"A", "C"}));
    QCOMPARE(fixture.server.requests(), (Strings{kList, kList}));
}

QTEST_MAIN(FrmNewTest)
#include "FrmNewTest.moc"
