// The information page: which component a game's name downloads, how the story scrolls, and
// what "Add" asks before a download.
#include <QtTest>

#include "InfoPage.h"
#include "PlatformFakes.h"

class InfoPageTest : public QObject {
    Q_OBJECT

    fakes::FakeMessages m_messages;

private slots:
    void init() {
        m_messages = {};
        korvo::setMessages(&m_messages);
    }
    void cleanup() { korvo::setMessages(nullptr); }

    void productFile_comparesTheNameInUpperCase_data();
    void productFile_comparesTheNameInUpperCase();
    void scroll_shortStoryStopsNearTheBottomOfTheBox();
    void scroll_longStoryStopsWithItsEndInView();
    void add_asksFirstAndGivesTheGamesComponent();
    void add_refusesAGameOutsideTheTableWithoutAsking();
};

void InfoPageTest::productFile_comparesTheNameInUpperCase_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("file");
    QTest::newRow("first") << "Korvo's Vorpa"
                           << "korvo001.cmp";
    QTest::newRow("the game") << "Korvo's Zeltrix"
                              << "korvo002.cmp";
    QTest::newRow("upper case") << "KORVO'S ZELTRIX"
                                << "korvo002.cmp";
    QTest::newRow("lower case") << "korvo's quentor"
                                << "korvo006.cmp";
    QTest::newRow("Tovash") << "Korvo's Tovash"
                            << "korvo007.cmp";
    QTest::newRow("Tovash Pro is not Tovash") << "KORVO'S TOVASH PRO"
                                              << "korvo008.cmp";
    QTest::newRow("Tovash Pro in any case") << "korvo's tovash pro"
                                            << "korvo008.cmp";
    QTest::newRow("last") << "Korvo's Flindo"
                          << "korvo010.cmp";
    QTest::newRow("unknown") << "Korvo's Extra"
                             << "";
    QTest::newRow("blanks count") << " Korvo's Zeltrix"
                                  << "";
    QTest::newRow("empty") << ""
                           << "";
}

void InfoPageTest::productFile_comparesTheNameInUpperCase() {
    QFETCH(QString, name);
    QFETCH(QString, file);
    QCOMPARE(QString::fromStdString(launcher::ProductFile(name.toStdString()).value_or("")), file);
}

void InfoPageTest::scroll_shortStoryStopsNearTheBottomOfTheBox() {
    launcher::InfoPage page;
    page.lbl_Story.Height = 300;
    QCOMPARE(page.lbl_Story.Top, 1290);
    int ticks = 0;
    while (page.t_Scroll_Enabled && ticks < 1000) {
        page.t_Scroll_Timer();
        ++ticks;
    }
    // 1380 - 300 = 1080 > Top first at 1290 - 15 * 15 = 1065.
    QCOMPARE(ticks, 15);
    QCOMPARE(page.lbl_Story.Top, 1065);
    page.t_Scroll_Timer();
    QCOMPARE(page.lbl_Story.Top, 1065);
}

void InfoPageTest::scroll_longStoryStopsWithItsEndInView() {
    launcher::InfoPage page;
    page.lbl_Story.Height = 5000;
    while (page.t_Scroll_Enabled) {
        page.t_Scroll_Timer();
    }
    const int bottom = page.lbl_Story.Top + page.lbl_Story.Height;
    QVERIFY(bottom < page.p_StoryBox.Height);
    QVERIFY(bottom >= page.p_StoryBox.Height - 15);
    QVERIFY(page.lbl_Story.Top < 0);
}

void InfoPageTest::add_asksFirstAndGivesTheGamesComponent() {
    launcher::InfoPage page;
    page.SetGame("Korvo's Tovash Pro", "", "");
    m_messages.answer = false;
    QCOMPARE(page.cmd_Download_Click(), std::nullopt);
    QCOMPARE(m_messages.texts(),
             std::vector<std::string>{"The Korvo Control Panel will now connect to the Internet "
                                      "in order to download Korvo's Tovash Pro."});
    QCOMPARE(m_messages.shown[0].icon, korvo::MessageIcon::Information);
    QCOMPARE(m_messages.shown[0].buttons, korvo::MessageButtons::OkCancel);

    m_messages.answer = true;
    QCOMPARE(page.cmd_Download_Click(), std::optional<std::string>("korvo008.cmp"));
}

void InfoPageTest::add_refusesAGameOutsideTheTableWithoutAsking() {
    launcher::InfoPage page;
    page.SetGame("Korvo's Extra", "", "");
    QCOMPARE(page.cmd_Download_Click(), std::nullopt);
    QCOMPARE(m_messages.texts(),
             std::vector<std::string>{"The Korvo Control Panel cannot download Korvo's Extra: "
                                      "the Quibbrik website offers no such game."});
    QCOMPARE(m_messages.shown[0].icon, korvo::MessageIcon::Exclamation);
    QCOMPARE(m_messages.shown[0].buttons, korvo::MessageButtons::Ok);
}

QTEST_GUILESS_MAIN(InfoPageTest)
#include "InfoPageTest.moc"
