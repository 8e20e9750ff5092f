// The view of the games as the panel shows it: the grid, the views and their switch, and the
// highlight frame. The captions' jitter is left to the eye.
#include "GameView.h"
#include "LauncherFixture.h"

#include <QtTest>

#include <algorithm>

using Places = QList<QPoint>;

class GameViewTest : public QObject {
    Q_OBJECT
private slots:
    void buttonsSwitchAndWindowFollowTheGrid_data() {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<Places>("places"); // the buttons', the switch's and its label's
        QTest::addColumn<QSize>("window");
        const Places row0{{120, 135}, {2100, 135}, {4080, 135}, {6060, 135}, {8040, 135}};
        QTest::newRow("5") << 5 << row0 + Places{{120, 1885}, {70, 2485}} << QSize(9745, 3855);
        QTest::newRow("7") << 7
                           << row0 + Places{{120, 1885}, {2100, 1885}, {4080, 1885}, {4030, 2485}}
                           << QSize(9745, 3985);
    }
    void buttonsSwitchAndWindowFollowTheGrid() {
        QFETCH(int, buttons);
        QFETCH(Places, places);
        LauncherFixture f;
        f.offer(QStringList(buttons - 1, "Korvo's Game")); // the other view: then "New Game"
        f.view().RefreshGames(false);
        const auto at = [](const korvo::Control& c) { return QPoint(c.Left, c.Top); };
        Places actual;
        for (int i = 0; i < f.view().ButtonCount(); ++i) {
            const korvo::Control& button = f.form().cmd_Play[i];
            const korvo::Control& label = f.form().lb_Game[i];
            QVERIFY(button.Visible && label.Visible);
            QCOMPARE(at(label), QPoint(button.Left + 742 - label.Width / 2, button.Top + 1100));
            actual << at(button);
        }
        for (const korvo::Control& frame : f.form().cmd_OtherGames) {
            QCOMPARE(at(frame), places[buttons]); // all four frames at one spot
        }
        // One shows at once, also while the animation stands still.
        QCOMPARE(std::ranges::count_if(f.form().cmd_OtherGames, &korvo::Control::Visible),
                 std::ptrdiff_t{1});
        QCOMPARE(actual << at(f.form().cmd_OtherGames[0]) << at(f.form().lb_Other), places);
        QTEST(QSize(f.form().Width, f.form().Height), "window");
    }

    void loadShowsTheInstalledGamesElseTheOthersWithTheTip_data() {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("buttons"); // caption|picture or the button's text; ...
        QTest::newRow("installed view")
            << true
            << " Zeltrix|C/korvo's zeltrix/add/screendump.gif;|C/Korvo's/add/screendump.gif";
        QTest::newRow("none installed: the other view, with New Game")
            << false
            << " Vorpa|A/Korvo's Vorpa.gif; Zeltrix|A/Korvo's Zeltrix.gif;|A/Korvo's.gif;"
               "New Game|?";
    }
    void loadShowsTheInstalledGamesElseTheOthersWithTheTip() {
        QFETCH(bool, installed);
        QFETCH(QString, buttons);
        LauncherFixture f;
        f.offer({"Korvo's Vorpa", "Korvo's Zeltrix", "Korvo's"});
        if (installed) {
            f.install("korvo's zeltrix");
            f.install("Korvo's");
        }
        f.panel.Form_Load();
        f.panel.Welcome();
        QStringList shown;
        for (int i = 0; i < f.view().ButtonCount(); ++i) {
            const korvo::Control& button = f.form().cmd_Play[i];
            shown << QString::fromStdString(f.form().lb_Game[i].Caption + "|" + button.Picture +
                                            button.Caption);
        }
        QCOMPARE(shown.join(';').replace(f.components, "C/").replace(f.app + "/add/", "A/"),
                 buttons);
        QCOMPARE(f.form().lb_Other.Caption, installed ? "Other Games" : "Installed Games");
        // The switch leads to the other view; with none installed it says so instead.
        f.panel.cmd_OtherGames_Click();
        QVERIFY(!f.catalogue.ShowingInstalled && f.form().Visible);
        QCOMPARE(f.messages.texts(),
                 (installed ? Texts{} : Texts{launcher::kWelcomeTip, launcher::kNoGamesInstalled}));
        QVERIFY(installed || f.messages.shown[0].title == launcher::kWelcomeTitle);
    }

    void highlightFollowsThePointerWithOneThudPerButton() {
        LauncherFixture f;
        f.offer({"Korvo's Vorpa"});
        f.view().RefreshGames(false);
        const korvo::Control& frame = f.form().pb_ButtonHighlight;
        const auto thuds = [&] {
            return std::count(f.player.commands.begin(), f.player.commands.end(), "Play");
        };
        for (const int button : {0, 0, 1, 1}) { // the frame starts hidden on button 0
            f.view().PointerOnButton(button);
        }
        QVERIFY(f.player.fileName == korvo::dataPath("thud.wav") && thuds() == 2);
        f.view().HideHighlight();    // over a caption, the switch or the background
        f.view().PointerOnButton(1); // back on the same button after leaving it
        QCOMPARE(thuds(), 3);
        f.view().RefreshGames(false);
        QVERIFY(!frame.Visible);
    }
};

QTEST_GUILESS_MAIN(GameViewTest)
#include "GameViewTest.moc"
