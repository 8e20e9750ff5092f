// The information page: what "Add" asks before a download. Which component a game's name
// downloads, and the story's scrolling to the pixel, are checked on the window.
#include <QtTest>

#include "InfoPage.h"
#include "PlatformFakes.h"

class InfoPageTest : public QObject {
    Q_OBJECT
private slots:
    void add_asksFirstAndRefusesAGameOutsideTheTable() {
        fakes::FakeDesktop desktop;
        launcher::InfoPage page;
        page.SetGame("Korvo's Tovash Pro", "", "");
        desktop.messages.answer = false;
        QCOMPARE(page.cmd_Download_Click(), std::nullopt);
        // The question, whose words the road reads; its Cancel downloads nothing.
        QCOMPARE(desktop.messages.shown.at(0).buttons, korvo::MessageButtons::OkCancel);

        page.SetGame("Korvo's Extra", "", "");
        QCOMPARE(page.cmd_Download_Click(), std::nullopt);
        QCOMPARE(desktop.messages.shown.back().text,
                 std::string("The Korvo Control Panel cannot download Korvo's Extra: the Quibbrik "
                             "website offers no such game."));
        QCOMPARE(desktop.messages.shown.back().icon, korvo::MessageIcon::Exclamation);
        QCOMPARE(desktop.messages.shown.size(), std::size_t{2}); // refused without asking
    }
};

QTEST_GUILESS_MAIN(InfoPageTest)
#include "InfoPageTest.moc"
