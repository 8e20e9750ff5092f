// The new-games window: the list, "Add" without and with a chosen game, and closing it while
// the list is on its way.
#include <QtTest>

#include "FrmNew.h"
#include "OnlineFixture.h"

#include <QListWidget>

using namespace std::chrono_literals;
using testing::Script;
using testing::Strings;

namespace {

const std::string kList = "http://quibbrik.test/downloads/newreleases.txt";

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

} // namespace

class FrmNewTest : public QObject {
    Q_OBJECT
private slots:
    // A user's way: the list, fetched again when the window is activated again, "Add" without
    // a chosen game, then with one, which goes to the download window.
    void add_handsTheChosenGameToTheDownloadWindow() {
        testing::OnlineFixture f;
        f.http.list = "NAME:A,FILE:a.cmp\n";
        launcher::FrmNew window(f.setup, &f.frmMain);
        QCOMPARE(testing::shownTexts(window),
                 (QStringList{"Add New Game", "&Add",
                              "Download a new game from the Quibbrik website.", "&Close",
                              "Please select a game to add to the Control Panel, and then click "
                              "'Add'."}));
        auto* list = window.findChild<QListWidget*>("lst_Games");
        auto* add = window.findChild<QAbstractButton*>("cmd_Download");
        QWidget other;
        bool enabledWhenLoaded = false;
        bool openAfterRefusal = false;
        QPointer<QDialog> frmAdd;
        QWidget* addOwner = nullptr;
        Script script;
        script
            .then([&] { return lines(window) == QStringList{"A"} && window.isActiveWindow(); },
                  [&] {
                      f.http.list = "NAME:A,FILE:a.cmp\nNAME:B,FILE:b.cmp\n";
                      other.show();
                      other.activateWindow();
                  })
            .then([&] { return other.isActiveWindow(); }, [&] { window.activateWindow(); })
            .then(
                [&] {
                    return lines(window) == QStringList{"A", "B"};
                },
                [&] {
                    enabledWhenLoaded = enabled(window, "lst_Games") && add->isEnabled();
                    // The focus rests on a line without selecting it: that is no choice.
                    list->setCurrentRow(1, QItemSelectionModel::NoUpdate);
                    add->click();
                    openAfterRefusal = window.isVisible();
                    list->setCurrentRow(1);
                    add->click();
                })
            .then([&] { return testing::modal("frm_Add") != nullptr && f.http.events != nullptr; },
                  [&] {
                      frmAdd = testing::modal("frm_Add");
                      addOwner = window.isVisible() ? nullptr : frmAdd->parentWidget();
                      f.http.play(200, "", "component b");
                  });
        window.exec();
        QTRY_VERIFY(script.done());
        QVERIFY(enabledWhenLoaded && openAfterRefusal);
        QCOMPARE(f.desktop.messages.shown.size(), std::size_t{1}); // the refusal
        QCOMPARE(f.http.fetched, (Strings{kList, kList}));
        QCOMPARE(f.http.address, std::string("http://quibbrik.test/downloads/b.cmp"));
        QCOMPARE(addOwner, &f.frmMain); // once the list has gone
        QCOMPARE(f.installer.installed, Strings{f.setup.componentsDir + "b.cmp"});
        QTRY_VERIFY(frmAdd.isNull()); // destroyed once closed
    }

    void escape_whileLoadingEndsTheWaitAtOnce() {
        testing::OnlineFixture f;
        f.setup.listTimeout = 10s;
        launcher::FrmNew window(f.setup, &f.frmMain);
        QStringList loading;
        bool anyEnabled = true;
        QTimer::singleShot(100, &window, [&] { // the list is on its way by then
            loading = lines(window);
            anyEnabled = enabled(window, "lst_Games") || enabled(window, "cmd_Download");
            QTest::keyClick(&window, Qt::Key_Escape);
        });
        QElapsedTimer clock;
        clock.start();
        window.exec();
        QVERIFY(f.http.fetched.size() == 1 && !anyEnabled);
        QVERIFY(clock.elapsed() < 5000); // the close ended the wait
        QCOMPARE(loading, QStringList{"Loading list. Please wait..."});
    }
};

QTEST_MAIN(FrmNewTest)
#include "FrmNewTest.moc"
