#include "GameFixture.h"
#include "Numbers.h"

#include <QtTest>

#include <cmath>
#include <set>

class QuestionsTest : public QObject {
    Q_OBJECT
private slots:
    void formatPowersReplacesEveryCaretAndItsCharacter();
    void drawNeverGivesTheFilesLastRecord();
    void drawNeverShowsTwoEqualAbsoluteAnswers();
    void drawFallsBackToUsedQuestionsAndAlwaysEnds();
    void thirdStageSharesTheNextChallengesFirstBlock();
    void newGameReloadsSoUsedQuestionsComeAgain();
    void brokenFilesGiveOneMessageAndNoGame_data();
    void brokenFilesGiveOneMessageAndNoGame();
    void flashRunsThroughAllColoursOnceThenTheBrightOnes();
};

void QuestionsTest::formatPowersReplacesEveryCaretAndItsCharacter() {
    using zeltrix::Game;
    QCOMPARE(Game::FormatPowers("2x + 5 = 17"), std::string("2x + 5 = 17"));
    QCOMPARE(Game::FormatPowers("x^2 + 3x = 10"), std::string("x\u00B2 + 3x = 10"));
    QCOMPARE(Game::FormatPowers("x^3 = 8"), std::string("x\u00B3 = 8"));
    QCOMPARE(Game::FormatPowers("x^4 = 16"), std::string("x\u00B3 = 16"));
    QCOMPARE(Game::FormatPowers("x^2 + y^2"), std::string("x\u00B2 + y\u00B2"));
    QCOMPARE(Game::FormatPowers("x^"), std::string("x\u00B3"));
}

void QuestionsTest::drawNeverGivesTheFilesLastRecord() {
    GameFixture f({0.999, 0.0, 0.5, 0.95, 0.3, 0.7, 0.1, 0.85});
    // Seven blocks and nothing after them: record 70 (answer 610) ends the file.
    f.writeQuestions(
        GameFixture::questionFile(10).substr(0, GameFixture::questionFile(10).find("\"last\"")));
    f.startChallenge(3);
    std::set<std::string> drawn;
    for (int level = 0; level < 40; ++level) {
        f.state().Stage = 3;
        f.game->StartLevel();
        for (int i = 1; i <= 5; ++i) {
            drawn.insert(f.field().sh_Ball[i].Caption);
        }
    }
    QVERIFY(drawn.count("609"));
    QVERIFY(!drawn.count("610"));
}

void QuestionsTest::drawNeverShowsTwoEqualAbsoluteAnswers() {
    GameFixture f({0.12, 0.55, 0.31, 0.87, 0.05, 0.66, 0.42, 0.93, 0.21, 0.78, 0.5});
    // A block of answers 1, -1, 2, -2, ... and 2.0 beside 2.
    std::string text = "1,\"h\",10,\"h\"\r\n";
    const char* answers[] = {"1", "-1", "2", "-2", "2.0", "3", "-3", "4", "5", "6"};
    for (int b = 0; b < 7; ++b) {
        for (const char* a : answers) {
            text += std::string("\"e\",") + a + ",0\r\n";
        }
    }
    f.writeQuestions(text + "\"last\",1,0\r\n");
    f.startChallenge(1);
    for (int level = 0; level < 30; ++level) {
        std::set<double> seen;
        for (int i = 1; i <= 5; ++i) {
            seen.insert(std::fabs(*korvo::toNumber(f.field().sh_Ball[i].Caption)));
        }
        QCOMPARE(seen.size(), std::size_t(5));
        f.game->StartLevel();
    }
}

void QuestionsTest::drawFallsBackToUsedQuestionsAndAlwaysEnds() {
    GameFixture f({0.0, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9});
    f.startChallenge(1);
    auto& s = f.state();
    for (int k = 1; k <= 10; ++k) {
        s.Questions[k].Used = true;
    }
    f.field().sh_Ball[1].Caption = "8";
    f.game->PickQuestion(1);
    QVERIFY(f.random.draws > 1000); // tried the unused ones first
    QVERIFY(korvo::wholeNumber(s.Comeqs[0].Answer) <= 10);

    // A generator stuck on a question whose answer is on screen: the draw still ends.
    GameFixture g({0.0});
    g.startChallenge(1);
    for (int i = 1; i <= 5; ++i) {
        g.field().sh_Ball[i].Caption = std::to_string(i);
    }
    g.game->PickQuestion(1);
    QVERIFY(korvo::wholeNumber(g.state().Comeqs[0].Answer) > 5);
}

void QuestionsTest::thirdStageSharesTheNextChallengesFirstBlock() {
    GameFixture f({0.05, 0.25, 0.45, 0.65, 0.85, 0.15, 0.35, 0.55, 0.75, 0.95});
    f.startChallenge(1);
    f.state().Stage = 3;
    f.game->StartLevel();
    for (int i = 1; i <= 5; ++i) {
        QCOMPARE(korvo::wholeNumber(f.field().sh_Ball[i].Caption) / 100, 2LL);
    }
    f.startChallenge(2);
    for (int i = 1; i <= 5; ++i) {
        QCOMPARE(korvo::wholeNumber(f.field().sh_Ball[i].Caption) / 100, 2LL);
    }
    QCOMPARE(f.field().lab_Question.Caption, f.state().Comeqs[0].Question);
}

void QuestionsTest::newGameReloadsSoUsedQuestionsComeAgain() {
    GameFixture f({0.05, 0.25, 0.45, 0.65, 0.85, 0.15, 0.35, 0.55, 0.75, 0.95});
    f.startChallenge(1);
    QCOMPARE(std::count_if(f.state().Questions.begin(), f.state().Questions.end(),
                           [](const auto& q) { return q.Used; }),
             5L);
    f.startChallenge(1);
    QCOMPARE(std::count_if(f.state().Questions.begin(), f.state().Questions.end(),
                           [](const auto& q) { return q.Used; }),
             5L);
}

void QuestionsTest::brokenFilesGiveOneMessageAndNoGame_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("missing") << QString() << "missing or cannot be read";
    QTest::newRow("header") << "one,\"h\",10,\"h\"\r\n"
                            << "line 1";
    QTest::newRow("block size") << "1,\"h\",0,\"h\"\r\n"
                                << "line 1";
    QTest::newRow("answer") << "1,\"h\",10,\"h\"\r\n\"x = 1\",1,0\r\n\"x + 1 = 3\",two,0\r\n"
                            << "line 3";
    QTest::newRow("cut short") << "1,\"h\",10,\"h\"\r\n\"x = 1\",1,0\r\n\"x = 2\",2"
                               << "line 3";
    QTest::newRow("too few answers") << "1,\"h\",10,\"h\"\r\n\"x = 1\",1,0\r\n\"x = 2\",2,0\r\n"
                                     << "too few different answers";
}

void QuestionsTest::brokenFilesGiveOneMessageAndNoGame() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    GameFixture f;
    if (text.isNull()) {
        std::filesystem::remove(korvo::dataPath("questions.txt"));
    } else {
        f.writeQuestions(text.toStdString());
    }
    f.startChallenge(1);
    QCOMPARE(f.messages.messages.size(), std::size_t(1));
    QVERIFY2(QString::fromStdString(f.messages.messages[0]).contains(expected),
             f.messages.messages[0].c_str());
    QVERIFY(QString::fromStdString(f.messages.messages[0]).contains("questions.txt"));
    QCOMPARE(f.state().ComeqCount, 0);
    QVERIFY(f.state().Frozen);
}

void QuestionsTest::flashRunsThroughAllColoursOnceThenTheBrightOnes() {
    GameFixture f;
    std::vector<korvo::Rgb> colours;
    for (int tick = 0; tick < 22; ++tick) {
        f.game->FlashQuestion();
        colours.push_back(f.field().lab_Question.ForeColor);
    }
    QCOMPARE(colours[0], korvo::QBColor(0));
    QCOMPARE(colours[15], korvo::QBColor(15));
    QCOMPARE(colours[16], korvo::QBColor(10));
    QCOMPARE(colours[21], korvo::QBColor(15));
}

QTEST_GUILESS_MAIN(QuestionsTest)
#include "QuestionsTest.moc"
