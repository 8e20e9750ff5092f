// The information page of a game that is not installed.
#include <QtTest>

#include "FrmBlab.h"
#include "OnlineFixture.h"

#include <QImage>

using testing::Strings;

class FrmBlabTest : public QObject {
    Q_OBJECT
private slots:
    // As ShowGameInfo fills the page: its picture, the story that scrolls until its end is in
    // view, and "Add" handing the game's component to the download window once the page has
    // closed.
    void page_showsTheGameAndAddDownloadsItsComponent() {
        testing::OnlineFixture f;
        launcher::FrmBlab page(f.setup, &f.frmMain);
        QImage(160, 120, QImage::Format_RGB32).save(f.dir.filePath("picture.png"));
        page.SetGame("Korvo's Tovash Pro", f.dir.filePath("picture.png").toStdString(),
                     "A short story.");
        auto* story = page.findChild<QLabel*>("lbl_Story");
        const int startTop = story->y();
        page.show();
        QTRY_VERIFY_WITH_TIMEOUT(!page.page().t_Scroll_Enabled, 10000);
        // The story stopped with its end just above the bottom of its box.
        const int bottom = story->y() + story->height();
        const int box = story->parentWidget()->height();
        QVERIFY(story->y() < startTop && bottom <= box && bottom >= box - 2);

        page.findChild<QAbstractButton*>("cmd_Download")->click();
        QCOMPARE(f.desktop.messages.texts().size(), std::size_t{1}); // the question
        QVERIFY(!page.isVisible());
        QDialog* frmAdd = testing::modal("frm_Add");
        QVERIFY(frmAdd != nullptr && frmAdd->parentWidget() == &f.frmMain);
        QTRY_VERIFY(f.http.events != nullptr);
        QCOMPARE(f.http.address, std::string("http://quibbrik.test/downloads/korvo008.cmp"));
        f.http.play(200, "", "component");
        QCOMPARE(f.installer.installed, Strings{f.setup.componentsDir + "korvo008.cmp"});
    }
};

QTEST_MAIN(FrmBlabTest)
#include "FrmBlabTest.moc"
