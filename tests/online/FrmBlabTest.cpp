// The information page: what it shows once filled, the story scrolling in its box, and "Add"
// asking, refusing or handing the game's component to the download window.
#include <QtTest>

#include "FrmBlab.h"
#include "OnlineFakes.h"
#include "PlatformFakes.h"
#include "QtHttpClient.h"
#include "Script.h"
#include "TestHttpServer.h"

#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

using testing::Script;
using Strings = std::vector<std::string>;

namespace {

const std::string kStory =
    "Korvo the robot wanders a barren planet, lasering numbered squares that bounce about the "
    "sky. Solve the equation and shoot the right one!";

struct Fixture {
    Fixture() {
        setup.downloadHost = server.host();
        QImage picture(160, 120, QImage::Format_RGB32);
        picture.fill(Qt::red);
        picture.save(picturePath());
        frmMain.show();
    }
    QString picturePath() const { return dir.filePath("Korvo's Tovash Pro.png"); }

    // The page as ShowGameInfo opens it.
    launcher::FrmBlab* open(const std::string& name) {
        auto* page = new launcher::FrmBlab(setup, &frmMain);
        page->setAttribute(Qt::WA_DeleteOnClose);
        page->SetGame(name, picturePath().toStdString(), kStory);
        return page;
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

class FrmBlabTest : public QObject {
    Q_OBJECT

    fakes::FakeMessages m_messages;

private slots:
    void init() {
        m_messages = {};
        korvo::setMessages(&m_messages);
    }
    void cleanup() { korvo::setMessages(nullptr); }

    void page_showsTheGameAsFilledIn();
    void story_scrollsUpInItsBoxAndStops();
    void add_downloadsTheGamesComponentOnceAsked();
};

void FrmBlabTest::page_showsTheGameAsFilledIn() {
    Fixture fixture;
    launcher::FrmBlab page(fixture.setup, nullptr);
    QCOMPARE(page.objectName(), QString("frm_Blab"));
    QCOMPARE(page.windowTitle(), QString("Korvo's Game"));
    QCOMPARE(page.findChild<QLabel*>("lb_Install")->text(),
             QString("This component has not been added."));
    QCOMPARE(page.palette().color(QPalette::Window), QColor(0, 128, 128));

    page.SetGame("Korvo's Tovash Pro", fixture.picturePath().toStdString(), kStory);
    QCOMPARE(page.windowTitle(), QString("Korvo's Tovash Pro"));
    QCOMPARE(page.findChild<QLabel*>("lb_Install")->text(),
             QString("Korvo's Tovash Pro has not been installed."));
    QCOMPARE(page.findChild<QLabel*>("pb_ScreenDump")->pixmap().size(), QSize(160, 120));
    auto* story = page.findChild<QLabel*>("lbl_Story");
    QCOMPARE(story->text(), QString::fromStdString(kStory));
    QCOMPARE(story->parentWidget()->objectName(), QString("p_StoryBox"));
    QCOMPARE(story->parentWidget()->parentWidget()->objectName(), QString("Picture1"));
    QCOMPARE(story->width(), 264); // 3960 twips
    QVERIFY(story->height() > 40); // grown to hold the wrapped text
    auto* add = page.findChild<QPushButton*>("cmd_Download");
    QCOMPARE(add->text(), QString("&Add"));
    QCOMPARE(add->toolTip(), QString("Download this game from the Quibbrik website."));
    QCOMPARE(page.findChild<QPushButton*>("cmd_Close")->text(), QString("&Close"));
    // The design's places, in pixels of 15 twips.
    QCOMPARE(page.findChild<QWidget*>("Picture1")->geometry(), QRect(8, 7, 310, 234));
    QCOMPARE(page.findChild<QWidget*>("pb_ScreenDump")->geometry(), QRect(71, 13, 164, 124));
    QCOMPARE(story->parentWidget()->geometry(), QRect(4, 138, 298, 92));
    QCOMPARE(page.findChild<QWidget*>("lb_Install")->geometry(), QRect(13, 250, 300, 22));
}

void FrmBlabTest::story_scrollsUpInItsBoxAndStops() {
    Fixture fixture;
    QPointer<launcher::FrmBlab> page = fixture.open("Korvo's Tovash Pro");
    auto* story = page->findChild<QLabel*>("lbl_Story");
    const int startTop = story->y();
    QCOMPARE(startTop, 86); // 1290 twips: near the bottom of the box
    int stoppedTop = 0;
    int storyHeight = 0;
    int boxHeight = 0;
    bool stillAfterStop = false;
    Script script;
    script
        .then([&] { return page && !page->page().t_Scroll_Enabled; },
              [&] { stoppedTop = story->y(); })
        .then([&, ticks = 0]() mutable { return page && ++ticks > 60; }, // 300 ms more
              [&] {
                  stillAfterStop = story->y() == stoppedTop;
                  storyHeight = story->height();
                  boxHeight = story->parentWidget()->height();
                  page->reject();
              });
    page->exec();
    QVERIFY(!script.timedOut());
    QVERIFY(page.isNull());
    QVERIFY(stoppedTop < startTop);
    QVERIFY(stillAfterStop);
    // Its end is in view, just above the bottom of the box.
    const int bottom = stoppedTop + storyHeight;
    QVERIFY(bottom <= boxHeight);
    QVERIFY(bottom >= boxHeight - 2);
}

void FrmBlabTest::add_downloadsTheGamesComponentOnceAsked() {
    Fixture fixture;
    testing::Answer component;
    component.body = std::string(2048, 'p');
    component.pieceBytes = 1024;
    component.pieceMs = 50;
    fixture.server.answer("/downloads/korvo008.cmp", component);
    QPointer<launcher::FrmBlab> page = fixture.open("KORVO'S TOVASH PRO");
    bool pageGoneWhenAddShown = false;
    QWidget* addOwner = nullptr;
    Script script(30000);
    script
        .then([&] { return page && page->isVisible(); },
              [&] { page->findChild<QPushButton*>("cmd_Download")->click(); })
        .then([] { return Script::modal("frm_Add") != nullptr; },
              [&] {
                  pageGoneWhenAddShown = page.isNull();
                  addOwner = Script::modal("frm_Add")->parentWidget();
              });
    page->exec();
    QTRY_VERIFY_WITH_TIMEOUT(fixture.installer.watcherStarts == 1 || script.timedOut(), 20000);
    QVERIFY(!script.timedOut());
    QCOMPARE(m_messages.texts(),
             Strings{"The Korvo Control Panel will now connect to the Internet in order to "
                     "download KORVO'S TOVASH PRO."});
    QVERIFY(pageGoneWhenAddShown);
    QCOMPARE(addOwner, &fixture.frmMain);
    QCOMPARE(fixture.server.requests(), Strings{"/downloads/korvo008.cmp"});
    QCOMPARE(fixture.installer.installed, Strings{fixture.setup.componentsDir + "korvo008.cmp"});
}

QTEST_MAIN(FrmBlabTest)
#include "FrmBlabTest.moc"
