// The information page of a game that is not installed.
#include <QtTest>

#include "FrmBlab.h"
#include "OnlineFixture.h"

#include <QImage>

using testing::Script;
using testing::Strings;

class FrmBlabTest : public QObject {
    Q_OBJECT
private slots:
    // As ShowGameInfo fills the page: its texts and picture, the story that scrolls until its
    // end is in view, and "Add" handing the game's component to the download window.
    void page_showsTheGameAndAddDownloadsItsComponent() {
        testing::OnlineFixture f;
        launcher::FrmBlab page(f.setup, &f.frmMain);
        QImage(160, 120, QImage::Format_RGB32).save(f.dir.filePath("picture.png"));
        page.SetGame("Korvo's Tovash Pro", f.dir.filePath("picture.png").toStdString(),
                     "A short story.");
        QCOMPARE(testing::shownTexts(page),
                 (QStringList{"Korvo's Tovash Pro", "A short story.",
                              "Korvo's Tovash Pro has not been installed.", "&Add",
                              "Download this game from the Quibbrik website.", "&Close"}));
        QVERIFY(!page.findChild<QLabel*>("pb_ScreenDump")->pixmap().isNull());
        auto* story = page.findChild<QLabel*>("lbl_Story");
        const int startTop = story->y();
        QWidget* addOwner = nullptr;
        Script script;
        script
            .then([&] { return !page.page().t_Scroll_Enabled; },
                  [&] { page.findChild<QAbstractButton*>("cmd_Download")->click(); })
            .then([&] { return testing::modal("frm_Add") != nullptr && f.http.events != nullptr; },
                  [&] {
                      addOwner =
                          page.isVisible() ? nullptr : testing::modal("frm_Add")->parentWidget();
                      f.http.play(200, "", "component");
                  });
        page.exec();
        QTRY_VERIFY(script.done());
        // The story stopped with its end just above the bottom of its box.
        const int bottom = story->y() + story->height();
        const int box = story->parentWidget()->height();
        QVERIFY(story->y() < startTop && bottom <= box && bottom >= box - 2);
        QCOMPARE(f.desktop.messages.texts().size(), std::size_t{1}); // the question
        QCOMPARE(addOwner, &f.frmMain);                              // once the page has gone
        QCOMPARE(f.http.address, std::string("http://quibbrik.test/downloads/korvo008.cmp"));
        QCOMPARE(f.installer.installed, Strings{f.setup.componentsDir + "korvo008.cmp"});
    }
};

QTEST_MAIN(FrmBlabTest)
#include "FrmBlabTest.moc"
