// The new-games window: the list as it loads, fetched again when the window is activated again,
// and "Add" without and with a chosen game. Closing it while the list is on its way is checked
// with the other windows.
#include <QtTest>

#include "FrmNew.h"
#include "OnlineFixture.h"

#include <QListWidget>

using testing::Strings;

namespace {

const std::string kList = "https://quibbrik.test/downloads/newreleases.txt";

// The lines of the list, then "on" or "off": whether the list and "Add" answer the user.
QStringList shown(const QDialog& window) {
    auto* list = window.findChild<QListWidget*>("lst_Games");
    QStringList result;
    for (int i = 0; i < list->count(); ++i) {
        result << list->item(i)->text();
    }
    const bool add = window.findChild<QWidget*>("cmd_Download")->isEnabled();
    return result << (list->isEnabled() != add ? "half" : add ? "on" : "off");
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
        launcher::FrmNew window(f.setup, &f.frmMain);
        window.show();
        QCOMPARE(shown(window), (QStringList{"Loading list. Please wait...", "off"}));
        QVERIFY(f.http.answer(std::nullopt));
        QCOMPARE(shown(window), (QStringList{"No new games found.", "off"}));

        // Activated again, it fetches again, and no more while that fetch is under way.
        reactivate(window, other);
        reactivate(window, other);
        QCOMPARE(f.http.fetched, (Strings{kList, kList}));
        QVERIFY(f.http.answer("NAME:A,FILE:a.cmp\nNAME:Korvo's Caf\xe9,FILE:b.cmp\n"));
        QCOMPARE(shown(window), (QStringList{"A", "Korvo's Caf\u00e9", "on"})); // single-byte text

        auto* list = window.findChild<QListWidget*>("lst_Games");
        auto* add = window.findChild<QAbstractButton*>("cmd_Download");
        // The focus rests on a line without selecting it: that is no choice.
        list->setCurrentRow(1, QItemSelectionModel::NoUpdate);
        add->click();
        QVERIFY(window.isVisible());
        QCOMPARE(f.desktop.messages.texts(), Strings{"Please select a game from the list."});
        QCOMPARE(f.desktop.messages.shown[0].icon, korvo::MessageIcon::Exclamation);
        list->setCurrentRow(1);
        add->click();
        QVERIFY(!window.isVisible());
        const QPointer<QDialog> frmAdd = testing::modal("frm_Add");
        QVERIFY(frmAdd != nullptr && frmAdd->parentWidget() == &f.frmMain);
        QTRY_VERIFY(f.http.events != nullptr);
        QCOMPARE(f.http.address, std::string("https://quibbrik.test/downloads/b.cmp"));
        f.http.play(200, "", "component b");
        QCOMPARE(f.installer.installed, Strings{f.setup.componentsDir + "b.cmp"});
        QTRY_VERIFY(frmAdd.isNull()); // destroyed once closed
    }
};

QTEST_MAIN(FrmNewTest)
#include "FrmNewTest.moc"
