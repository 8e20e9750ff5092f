#include "IntroAnimation.h"

#include <QTest>

using zeltrix::IntroAnimation;

namespace {

// Runs the fade to its end; the number of Timer1 ticks it took.
int fadeTicks(IntroAnimation& intro, korvo::Rgb corner) {
    intro.GetColorAtStart(corner);
    int ticks = 0;
    while (intro.Timer1Enabled && ticks < 1000) {
        intro.Timer1_Timer();
        ++ticks;
    }
    return ticks;
}

} // namespace

class IntroAnimationTest : public QObject {
    Q_OBJECT

private slots:
    void fadeTakes65TicksToAnyCornerColourAndOneToBlack() {
        for (int v = 0; v <= 255; ++v) {
            IntroAnimation intro;
            const korvo::Rgb corner{static_cast<std::uint8_t>(v), 0,
                                    static_cast<std::uint8_t>(v == 0 ? 0 : 256 - v)};
            QCOMPARE(fadeTicks(intro, corner), v == 0 ? 1 : 65);
            QCOMPARE(intro.BackColor, corner);
            QCOMPARE(intro.p_StoryBox.BackColor, corner);
            QVERIFY(intro.Timer2Enabled);
        }
    }

    void riseTakes379StepsThenTheEndWaitsForTheMusic() {
        IntroAnimation intro;
        intro.ready = true;
        intro.Timer4Enabled = true;
        intro.GetColorAtStart({30, 60, 90});
        intro.Timer1_Timer();
        QVERIFY(!intro.Timer4_Timer(false)); // fading
        fadeTicks(intro, {30, 60, 90});
        QCOMPARE(intro.P_Main.Top, 7200);
        for (int tick = 1; tick <= 380; ++tick) {
            QVERIFY(intro.Timer2Enabled && !intro.Timer4_Timer(false)); // rising
            intro.Timer2_Timer();
        }
        QVERIFY(!intro.Timer2Enabled);
        QCOMPARE(intro.P_Main.Top, 1515);     // 379 steps of 15 twips
        QCOMPARE(intro.p_StoryBox.Top, -930); // pushed out at the top
        QVERIFY(!intro.Timer4_Timer(true));   // the anthem plays on
        QVERIFY(intro.Timer3Enabled && intro.Timer4Enabled);
        QVERIFY(intro.Timer4_Timer(false));
        QVERIFY(!intro.Timer3Enabled && !intro.Timer4Enabled);
    }
};

QTEST_GUILESS_MAIN(IntroAnimationTest)
#include "IntroAnimationTest.moc"
