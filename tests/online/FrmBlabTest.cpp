// The information page of a game that is not installed.
#include <QtTest>

#include "FrmBlab.h"
#include "OnlineFixture.h"

class FrmBlabTest : public QObject {
    Q_OBJECT
private slots:
    // As ShowGameInfo fills the page: the story scrolls until its end is in view, and "Add"
    // hands the game's component to the download window once the page has closed.
    void page_scrollsTheStoryAndAddDownloadsItsComponent() {
        testing::OnlineFixture f;
        launcher::FrmBlab page(f.setup, &f.frmMain);
        page.SetGame("Korvo's Tovash Pro", "", "A short story.");
        auto* story = page.findChild<QLabel*>("lbl_Story");
        page.show();
        QTRY_VERIFY_WITH_TIMEOUT(!page.page().t_Scroll_Enabled, 10000);
        // A step of one pixel at a time from below the box: it stops at the first step that
        // brings its bottom edge inside.
        QCOMPARE(story->y() + story->height(), story->parentWidget()->height() - 1);

        page.findChild<QAbstractButton*>("cmd_Download")->click();
        QVERIFY(!page.isVisible());
        QDialog* frmAdd = testing::modal("frm_Add");
        QVERIFY(frmAdd != nullptr && frmAdd->parentWidget() == &f.frmMain);
        QTRY_VERIFY(f.http.events != nullptr);
        QCOMPARE(f.http.address, std::string("https://quibbrik.test/downloads/korvo008.cmp"));
    }
};

QTEST_MAIN(FrmBlabTest)
#include "FrmBlabTest.moc"
