// Checks the shipped question file: its layout, the spread of answers in every block, and that
// every answer really solves its equation.
#include <QtTest>

#include "FieldReader.h"
#include "Numbers.h"

#include <cctype>
#include <cmath>
#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int BlockCount = 7;
constexpr int MinDistinctAnswers = 15;
constexpr std::size_t MaxEquationLength = 22; // what fits the question label at 28 pt
constexpr double Tolerance = 1e-9;

// Evaluates "left = right" as left - right for one value of x. The grammar is the one the
// file is written in, nothing more, so a typo fails the test instead of being skipped:
//   equation := sum '=' sum
//   sum      := product (('+' | '-') product)*
//   product  := signed (('*' | '/') signed | signed starting with 'x' or '(')*
//   signed   := '-' signed | power
//   power    := primary ('^' digit)?
//   primary  := number | 'x' | '(' sum ')'
class EquationEvaluator {
public:
    EquationEvaluator(std::string text, double x) : m_text(std::move(text)), m_x(x) {}

    double residual() {
        double left = sum();
        expect('=');
        double right = sum();
        if (peek() != '\0') {
            fail("unexpected text");
        }
        return left - right;
    }

private:
    [[noreturn]] void fail(const std::string& why) const {
        throw std::invalid_argument(why + " at column " + std::to_string(m_pos + 1) + " of \"" +
                                    m_text + "\"");
    }
    char peek() {
        while (m_pos < m_text.size() && m_text[m_pos] == ' ') {
            ++m_pos;
        }
        return m_pos < m_text.size() ? m_text[m_pos] : '\0';
    }
    void expect(char c) {
        if (peek() != c) {
            fail(std::string("expected '") + c + "'");
        }
        ++m_pos;
    }

    double sum() {
        double value = product();
        for (char c = peek(); c == '+' || c == '-'; c = peek()) {
            ++m_pos;
            value = c == '+' ? value + product() : value - product();
        }
        return value;
    }
    double product() {
        double value = signedPower();
        for (char c = peek(); c == '*' || c == '/' || c == 'x' || c == '('; c = peek()) {
            if (c == '*' || c == '/') {
                ++m_pos;
                value = c == '*' ? value * signedPower() : value / signedPower();
            } else {
                value *= signedPower(); // 2x, 3(x + 1), x(x + 2)
            }
        }
        return value;
    }
    double signedPower() {
        if (peek() == '-') {
            ++m_pos;
            return -signedPower();
        }
        double base = primary();
        if (peek() != '^') {
            return base;
        }
        ++m_pos;
        if (m_pos >= m_text.size() || !std::isdigit(static_cast<unsigned char>(m_text[m_pos]))) {
            fail("a power needs one digit");
        }
        return std::pow(base, m_text[m_pos++] - '0');
    }
    double primary() {
        char c = peek();
        if (c == 'x') {
            ++m_pos;
            return m_x;
        }
        if (c == '(') {
            ++m_pos;
            double value = sum();
            expect(')');
            return value;
        }
        std::size_t start = m_pos;
        while (m_pos < m_text.size() &&
               (std::isdigit(static_cast<unsigned char>(m_text[m_pos])) || m_text[m_pos] == '.')) {
            ++m_pos;
        }
        auto number = korvo::toNumber(std::string_view(m_text).substr(start, m_pos - start));
        if (start == m_pos || !number) {
            fail("expected a number, x or '('");
        }
        return *number;
    }

    std::string m_text;
    double m_x;
    std::size_t m_pos = 0;
};

double residual(const std::string& equation, double x) {
    return EquationEvaluator(equation, x).residual();
}

struct Question {
    std::string equation;
    std::string answer;
};

} // namespace

class QuestionFileTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void fileIsAsciiWithCrLfLineEnds();
    void fileHoldsSevenBlocksAndOneUndrawnRecord();
    void everyBlockOffersManyDifferentAnswers();
    void everyAnswerSolvesItsEquation();
    void evaluatorFollowsTheWrittenGrammar();
    void evaluatorRejectsWhatItDoesNotUnderstand();

private:
    std::string m_bytes;
    int m_blockSize = 0;
    std::vector<Question> m_questions;
};

void QuestionFileTest::initTestCase() {
    std::ifstream file(QUESTIONS_FILE, std::ios::binary);
    QVERIFY2(file, QUESTIONS_FILE);
    std::ostringstream content;
    content << file.rdbuf();
    m_bytes = content.str();

    // Field by field in the order the game reads them.
    korvo::FieldReader reader(m_bytes);
    try {
        reader.readInteger();
        reader.readText();
        m_blockSize = reader.readInteger();
        reader.readText();
        while (!reader.atEnd()) {
            Question question;
            question.equation = reader.readText();
            question.answer = reader.readText();
            reader.readInteger(); // spare
            m_questions.push_back(question);
        }
    } catch (const korvo::FieldReader::Error& e) {
        QFAIL(qPrintable(QString("line %1: %2").arg(e.line).arg(e.what())));
    }
}

void QuestionFileTest::fileIsAsciiWithCrLfLineEnds() {
    QVERIFY(m_bytes.size() >= 2 && m_bytes.ends_with("\r\n"));
    for (std::size_t i = 0; i < m_bytes.size(); ++i) {
        auto c = static_cast<unsigned char>(m_bytes[i]);
        QVERIFY2(c < 128, qPrintable(QString("byte %1 is not ASCII").arg(i)));
        bool lineEndOk = (c != '\n' || (i > 0 && m_bytes[i - 1] == '\r')) &&
                         (c != '\r' || (i + 1 < m_bytes.size() && m_bytes[i + 1] == '\n'));
        QVERIFY2(lineEndOk, qPrintable(QString("lone CR or LF at byte %1").arg(i)));
    }
}

void QuestionFileTest::fileHoldsSevenBlocksAndOneUndrawnRecord() {
    // The last record is never drawn, so one extra keeps the last block whole.
    QVERIFY(m_blockSize > 0);
    QCOMPARE(m_questions.size(), std::size_t(BlockCount * m_blockSize + 1));
}

void QuestionFileTest::everyBlockOffersManyDifferentAnswers() {
    // Five Comeqs on screen need five answers that differ in absolute value.
    QVERIFY(m_blockSize > 0 && m_questions.size() >= std::size_t(BlockCount * m_blockSize));
    for (int block = 0; block < BlockCount; ++block) {
        std::set<double> answers;
        std::set<std::string> equations;
        for (int k = block * m_blockSize; k < (block + 1) * m_blockSize; ++k) {
            const Question& q = m_questions[k];
            auto answer = korvo::toNumber(q.answer);
            QVERIFY2(answer, qPrintable(QString::fromStdString(q.answer)));
            answers.insert(std::abs(*answer));
            QVERIFY2(equations.insert(q.equation).second, q.equation.c_str());
            QVERIFY2(q.equation.size() <= MaxEquationLength, q.equation.c_str());
        }
        QVERIFY2(answers.size() >= MinDistinctAnswers, qPrintable(QString::number(block)));
    }
}

void QuestionFileTest::everyAnswerSolvesItsEquation() {
    // Every equation is a polynomial of degree at most 2, so three values fix it and a fourth
    // proves the degree; then a linear one must have exactly one solution, and a quadratic
    // one the answer as its only positive root (what the help promises the player).
    for (const Question& q : m_questions) {
        const char* what = q.equation.c_str();
        auto answer = korvo::toNumber(q.answer);
        QVERIFY2(answer, what);
        try {
            QVERIFY2(std::abs(residual(q.equation, *answer)) < Tolerance, what);
            double c = residual(q.equation, 0);
            double a = (residual(q.equation, 1) + residual(q.equation, -1)) / 2 - c;
            double b = (residual(q.equation, 1) - residual(q.equation, -1)) / 2;
            QVERIFY2(std::abs(residual(q.equation, 2) - (4 * a + 2 * b + c)) < Tolerance, what);
            if (std::abs(a) < Tolerance) {
                QVERIFY2(std::abs(b) > Tolerance, what);
            } else {
                double otherRoot = -b / a - *answer;
                QVERIFY2(*answer > 0, what);
                QVERIFY2(otherRoot <= Tolerance || std::abs(otherRoot - *answer) < Tolerance, what);
            }
        } catch (const std::invalid_argument& e) {
            QFAIL(e.what());
        }
    }
}

void QuestionFileTest::evaluatorFollowsTheWrittenGrammar() {
    QCOMPARE(residual("2x^2 = 0", 3), 18.0);     // the power binds to x only
    QCOMPARE(residual("-x^2 = 0", 3), -9.0);     // and before the sign
    QCOMPARE(residual("x(x + 2) = 0", 4), 24.0); // x before a bracket multiplies
    QCOMPARE(residual("2x/3 = 0", 6), 4.0);      // left to right, as children read it
    QCOMPARE(residual("0.5x - (1 - x) = 0", 2), 2.0);
}

void QuestionFileTest::evaluatorRejectsWhatItDoesNotUnderstand() {
    for (const char* bad : {"x + y = 2", "2x = ", "x^ = 4", "(x + 1 = 2", "x = 1 = 1", "x ** 2 = 4",
                            "3 4 = 12", "x + 1", ".x = 1", "2..5x = 5"}) {
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, residual(bad, 1));
    }
}

QTEST_APPLESS_MAIN(QuestionFileTest)
#include "QuestionFileTest.moc"
