#include "GameFixture.h"
#include "Numbers.h"

#include <QtTest>

#include <cmath>
#include <set>

class QuestionsTest : public QObject {
    Q_OBJECT
private slots:
    void formatPowersReplacesEveryCaretAndItsCharacter_data() {
        QTest::addColumn<QString>("equation");
        QTest::addColumn<QString>("shown");
        const auto row = [](const char* name, const char* equation, const char* shown) {
            QTest::newRow(name) << QString(equation) << QString(shown);
        };
        row("any other power reads as a cube", "x^4 = 16", "x\u00B3 = 16");
        row("two powers", "x^2 + y^2", "x\u00B2 + y\u00B2");
        row("caret at the end", "x^", "x\u00B3");
        row("caret before a letter of two bytes", "x^\u00E9 = 1", "x\u00B3 = 1");
    }

    void formatPowersReplacesEveryCaretAndItsCharacter() {
        QFETCH(QString, equation);
        QFETCH(QString, shown);
        QCOMPARE(QString::fromStdString(zeltrix::Game::FormatPowers(equation.toStdString())),
                 shown);
    }

    void drawNeverShowsTwoEqualAbsoluteAnswersNorTheFilesLastRecord() {
        GameFixture f({0.12, 0.55, 0.31, 0.87, 0.05, 0.66, 0.42, 0.93, 0.999, 0.78, 0.5});
        // Blocks of the answers 1, -1, 2, -2, 2.0 beside 2, ...; the file ends with the last block,
        // so its last record, 7, is never drawn.
        std::string text = "1,\"h\",10,\"h\"\r\n";
        for (int b = 0; b < 7; ++b) {
            for (const char* a : {"1", "-1", "2", "-2", "2.0", "3", "4", "5", "6", "7"}) {
                text += std::string("\"e\",") + a + ",0\r\n";
            }
        }
        f.writeQuestions(text);
        f.startChallenge(3);
        for (int level = 0; level < 40; ++level) {
            f.state().Stage = 3;
            f.game->StartLevel();
            std::set<double> seen;
            for (int i = 1; i <= 5; ++i) {
                seen.insert(std::fabs(*korvo::toNumber(f.field().sh_Ball[i].Caption)));
            }
            QCOMPARE(seen.size(), std::size_t(5));
            QVERIFY(!seen.count(7));
        }
    }

    void drawFallsBackToUsedQuestionsAndAlwaysEnds() {
        GameFixture f({0.0, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9});
        f.startChallenge(1);
        for (int k = 1; k <= 10; ++k) {
            f.state().Questions[k].Used = true;
        }
        f.field().sh_Ball[1].Caption = "8";
        f.game->PickQuestion(1);
        QVERIFY(f.random.draws > 1000); // tried the unused ones first
        QVERIFY(korvo::wholeNumber(f.state().Comeqs[0].Answer) <= 10);

        // A generator stuck on a question whose answer is on screen: the draw still ends.
        GameFixture g({0.0});
        g.startChallenge(1);
        for (int i = 1; i <= 5; ++i) {
            g.field().sh_Ball[i].Caption = std::to_string(i);
        }
        g.game->PickQuestion(1);
        QVERIFY(korvo::wholeNumber(g.state().Comeqs[0].Answer) > 5);
    }

    void newGameReloadsSoUsedQuestionsComeAgain() {
        GameFixture f;
        const auto used = [&] {
            return std::ranges::count(f.state().Questions, true, &zeltrix::QuestionRecord::Used);
        };
        f.startChallenge(1);
        QCOMPARE(used(), 5L);
        f.startChallenge(1);
        QCOMPARE(used(), 5L);
    }

    void brokenFilesGiveOneMessageAndNoGame_data() {
        QTest::addColumn<QString>("text"); // null: no file
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const char* text, const char* expected) {
            QTest::newRow(name) << QString(text) << QString(expected);
        };
        const std::string header = "1,\"h\",10,\"h\"\r\n\"x = 1\",1,0\r\n";
        row("missing", nullptr, "missing or cannot be read");
        row("header", "one,\"h\",10,\"h\"\r\n", "line 1");
        row("block size", "1,\"h\",0,\"h\"\r\n", "line 1");
        row("answer", (header + "\"x + 1 = 3\",two,0\r\n").c_str(), "line 3");
        row("cut short", (header + "\"x = 2\",2").c_str(), "line 3");
        row("too few answers", (header + "\"x = 2\",2,0\r\n").c_str(), "too few different answers");
    }

    void brokenFilesGiveOneMessageAndNoGame() {
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
        const QString message = QString::fromStdString(f.messages.messages[0]);
        QVERIFY2(message.contains(expected) && message.contains("questions.txt"),
                 qPrintable(message));
        QCOMPARE(f.state().ComeqCount, 0);
        QVERIFY(f.state().Frozen);
    }
};

QTEST_GUILESS_MAIN(QuestionsTest)
#include "QuestionsTest.moc"
