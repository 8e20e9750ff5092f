// The new-games window: the list as it loads, fetched again when the window is activated again,
// "Add" without and with a chosen game, and closing it while the list is on its way.
#include <QtTest>

#include "FrmNew.h"
#include "OnlineFixture.h"

#include <QListWidget>

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

// How many of the list and "Add" answer the user.
int enabled(const QDialog& window) {
    return int(window.findChild<QWidget*>("lst_Games")->isEnabled()) +
           int(window.findChild<QWidget*>("cmd_Download")->isEnabled());
}

// The window loses the focus to another and gets it back.
void reactivate(QWidget& window, QWidget& other) {
    other.activateWindow();
    QTRY_VERIFY(other.isActiveWindow());
    window.activateWindow();
    QTRY_VERIFY(window.isActiveWindow());
}

} // namespace

class FrmNewTest : public QObject {
    Q_OBJECT
private slots:
    // A user's way: the list as it loads, a failed fetch, the list fetched again when the window
    // is activated again, "Add" without a chosen game, then with one, which goes to the
    // download window.
    void add_handsTheChosenGameToTheDownloadWindow() {
        testing::OnlineFixture f;
        QWidget other;
        other.show();
        QPointer<launcher::FrmNew> window = new launcher::FrmNew(f.setup, &f.frmMain);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->show();
        QCOMPARE(lines(*window), QStringList{"Loading list. Please wait..."});
        QCOMPARE(enabled(*window), 0);
        QVERIFY(f.http.fail());
        QCOMPARE(lines(*window), QStringList{"No new games found."});
        QCOMPARE(enabled(*window), 0);

        // Activated again, it fetches again, and no more while that fetch is under way.
        reactivate(*window, other);
        reactivate(*window, other);
        QCOMPARE(f.http.fetched, (Strings{kList, kList}));
        QVERIFY(f.http.answer("NAME:A,FILE:a.cmp\nNAME:Korvo's Caf\xe9,FILE:b.cmp\n"));
        QCOMPARE(lines(*window), (QStringList{"A", "Korvo's Caf\u00e9"})); // single-byte text
        QCOMPARE(enabled(*window), 2);

        auto* list = window->findChild<QListWidget*>("lst_Games");
        auto* add = window->findChild<QAbstractButton*>("cmd_Download");
        // The focus rests on a line without selecting it: that is no choice.
        list->setCurrentRow(1, QItemSelectionModel::NoUpdate);
        add->click();
        QVERIFY(window->isVisible());
        QCOMPARE(f.desktop.messages.texts(), Strings{"Please select a game from the list."});
        QCOMPARE(f.desktop.messages.shown[0].icon, korvo::MessageIcon::Exclamation);
        list->setCurrentRow(1);
        add->click();
        QVERIFY(window.isNull() || !window->isVisible());
        const QPointer<QDialog> frmAdd = testing::modal("frm_Add");
        QVERIFY(frmAdd != nullptr && frmAdd->parentWidget() == &f.frmMain);
        QTRY_VERIFY(f.http.events != nullptr);
        QCOMPARE(f.http.address, std::string("http://quibbrik.test/downloads/b.cmp"));
        f.http.play(200, "", "component b");
        QCOMPARE(f.installer.installed, Strings{f.setup.componentsDir + "b.cmp"});
        QTRY_VERIFY(frmAdd.isNull() && window.isNull()); // destroyed once closed
    }

    void escape_whileLoadingDropsTheFetch() {
        testing::OnlineFixture f;
        launcher::FrmNew window(f.setup, &f.frmMain);
        window.show();
        QVERIFY(f.http.fetching());
        QTest::keyClick(&window, Qt::Key_Escape);
        QVERIFY(!window.isVisible() && !f.http.fetching());
    }
};

QTEST_MAIN(FrmNewTest)
#include "FrmNewTest.moc"
