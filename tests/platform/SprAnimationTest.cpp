#include "SprAnimation.h"

#include <QTest>

#include <string>
#include <utility>

using korvo::SprAnimation;

class SprAnimationTest : public QObject {
    Q_OBJECT

private slots:
    void faultsNameTheFileAndLine() {
        const std::pair<const char*, const char*> cases[] = {
            {"60\n", "a.spr, line 2"}, // no frames
            {"0\n\"a.gif\",1,0\n", "a.spr, line 1"},
            {"fast\n\"a.gif\",1,0\n", "a.spr, line 1"},
            {"60\n\"a.gif\",1,0\n\"b.gif\",x,0\n", "a.spr, line 3"},
            {"60\n\"a.gif\",1\n", "a.spr, line 2"},
            {"60\n\"\",1,0\n", "a.spr, line 2"},
        };
        for (const auto& [text, where] : cases) {
            try {
                korvo::parseSprAnimation(text, "/data/a.spr");
                QFAIL(text);
            } catch (const SprAnimation::Error& error) {
                QVERIFY2(std::string(error.what()).starts_with(std::string("/data/") + where),
                         error.what());
            }
        }
        QVERIFY_THROWS_EXCEPTION(SprAnimation::Error, korvo::loadSprAnimation("/no/such.spr"));
    }
};

QTEST_GUILESS_MAIN(SprAnimationTest)
#include "SprAnimationTest.moc"
