// The start-up logo: the rolling coin, the maker's name spelt out, the timer's pace and the
// hand-over to the main window. Its wait for a first start's installation, its own or another
// launcher's, is shown end to end.
#include "Logo.h"
#include "LauncherFixture.h"

#include <QtTest>

#include <algorithm>

class LogoTest : public QObject {
    Q_OBJECT
private slots:
    // The window's test shows that the logo is hidden before the main window shows.
    void coinRollsInThenTheMakersNameIsSpeltForFourSecondsAndAQuarter() {
        LauncherFixture f;
        launcher::Logo logo{{f.player, f.sound, f.installation, f.catalogue}, "Zandolfic Software"};
        logo.Form_Load();
        const launcher::LogoForm& form = logo.form();
        int waited = 0;
        int ticks = 0;
        Texts spelt; // the maker's name as it changes
        while (form.t_CoinEnabled && ticks < 100) {
            waited += form.t_CoinInterval;
            logo.t_Coin_Timer();
            ++ticks;
            // One coin at a time, 18 steps of 250 twips; then the coin at rest is painted on
            // the background.
            const auto visible = std::ranges::count_if(form.pb_Coin, &korvo::Control::Visible);
            QCOMPARE(visible, std::ptrdiff_t{ticks <= 18 ? 1 : 0});
            const auto coin = std::ranges::find_if(form.pb_Coin, &korvo::Control::Visible);
            QVERIFY(ticks > 18 || coin->Left == -3570 + 250 * ticks);
            QCOMPARE(form.Background.size(), std::size_t(ticks > 18 ? 1 : 0));
            const korvo::Control& name = form.lbl_Product[2];
            if (name.Visible && (spelt.empty() || spelt.back() != name.Caption)) {
                spelt.push_back(name.Caption);
            }
        }
        const launcher::Stamp rest{korvo::dataPath("coin rest.gif"), 930, 915};
        QCOMPARE(form.Background, std::vector<launcher::Stamp>{rest});
        QCOMPARE(spelt,
                 (Texts{"d", "do", "dol", "dolf", "dolfi", "dolfic", "dolfic Z", "dolfic Za",
                        "dolfic Zan", "dolfic Zan    S", "dolfic Zan    So", "dolfic Zan    Sof",
                        "dolfic Zan    Soft", "Zdolfic an    Softw", "Zadolfic n    Softwar",
                        "Zan dolfic    Software", "Zandolfic Software"}));
        QCOMPARE(ticks, 61);
        QCOMPARE(waited, 4250); // 24 waits of 100 ms, then 37 of 50 ms
    }
};

QTEST_GUILESS_MAIN(LogoTest)
#include "LogoTest.moc"
