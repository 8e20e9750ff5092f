// Checks the shipped question file: its layout, the spread of answers in every block, and that
// every answer really solves its equation.
#include "QuestionFile.h"
#include "FieldReader.h"
#include "Numbers.h"
#include "Text.h"

#include <QtTest>

#include <cctype>
#include <cmath>
#include <set>
#include <stdexcept>

namespace {

constexpr int BlockCount = 7;
constexpr std::size_t MinDistinctAnswers = 15;
constexpr std::size_t MaxEquationLength = 22; // what fits the question label at 28 pt
constexpr double Tolerance = 1e-9;

// Evaluates "left = right" as left - right for one value of x. The grammar is the one the
// file is written in, nothing more, so a typo fails the test instead of being skipped:
//   equation := sum '=' sum
//   sum      := product (('+' | '-') product)*
//   product  := signed (('*' | '/') signed | signed starting with 'x' or '(')*
//   signed   := '-' signed | primary ('^' digit)?
//   primary  := number | 'x' | '(' sum ')'
class EquationEvaluator {
public:
    EquationEvaluator(std::string text, double x) : m_text(std::move(text)), m_x(x) {}

    double residual() {
        const double left = sum();
        expect('=');
        const double right = sum();
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
    bool digitAt(std::size_t at) const {
        return at < m_text.size() && std::isdigit(static_cast<unsigned char>(m_text[at]));
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
            m_pos += c == '*' || c == '/' ? 1 : 0;
            value = c == '/' ? value / signedPower() : value * signedPower(); // 2x, x(x + 2)
        }
        return value;
    }
    double signedPower() {
        if (peek() == '-') {
            ++m_pos;
            return -signedPower();
        }
        const double base = primary();
        if (peek() != '^') {
            return base;
        }
        if (!digitAt(++m_pos)) {
            fail("a power needs one digit");
        }
        return std::pow(base, m_text[m_pos++] - '0');
    }
    double primary() {
        const char c = peek();
        if (c == 'x' || c == '(') {
            ++m_pos;
            const double value = c == 'x' ? m_x : sum();
            if (c == '(') {
                expect(')');
            }
            return value;
        }
        const std::size_t start = m_pos;
        while (digitAt(m_pos) || (m_pos < m_text.size() && m_text[m_pos] == '.')) {
            ++m_pos;
        }
        const auto number = korvo::toNumber(std::string_view(m_text).substr(start, m_pos - start));
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

} // namespace

class QuestionFileTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        try {
            m_file = zeltrix::parseQuestionFile(korvo::readFileBytes(QUESTIONS_FILE));
        } catch (const korvo::FieldReader::Error& e) {
            QFAIL(qPrintable(QString("line %1: %2").arg(e.line).arg(e.what())));
        }
    }

    void sevenBlocksOfManyDifferentAnswers() {
        // Seven blocks; the last record is never drawn, so one extra keeps the last block whole.
        QCOMPARE(m_file.count(), BlockCount * m_file.BlockSize + 1);
        // Five Comeqs on screen need five answers that differ in absolute value.
        for (int block = 0; block < BlockCount; ++block) {
            std::set<double> answers;
            std::set<std::string> equations;
            for (int k = block * m_file.BlockSize + 1; k <= (block + 1) * m_file.BlockSize; ++k) {
                const zeltrix::QuestionRecord& q = m_file.Questions.at(k);
                answers.insert(std::abs(*korvo::toNumber(q.Answer)));
                QVERIFY2(equations.insert(q.Equation).second, q.Equation.c_str());
                QVERIFY2(q.Equation.size() <= MaxEquationLength, q.Equation.c_str());
            }
            QVERIFY2(answers.size() >= MinDistinctAnswers, qPrintable(QString::number(block)));
        }
    }

    void everyAnswerSolvesItsEquation() {
        // Every equation is a polynomial of degree at most 2, so three values fix it and a fourth
        // proves the degree; then a linear one must have exactly one solution, and a quadratic
        // one the answer as its only positive root (what the help promises the player).
        for (int k = 1; k <= m_file.count(); ++k) {
            const std::string& equation = m_file.Questions[k].Equation;
            const char* what = equation.c_str();
            const double answer = *korvo::toNumber(m_file.Questions[k].Answer);
            try {
                QVERIFY2(std::abs(residual(equation, answer)) < Tolerance, what);
                const double c = residual(equation, 0);
                const double a = (residual(equation, 1) + residual(equation, -1)) / 2 - c;
                const double b = (residual(equation, 1) - residual(equation, -1)) / 2;
                QVERIFY2(std::abs(residual(equation, 2) - (4 * a + 2 * b + c)) < Tolerance, what);
                if (std::abs(a) < Tolerance) {
                    QVERIFY2(std::abs(b) > Tolerance, what);
                } else {
                    const double otherRoot = -b / a - answer;
                    QVERIFY2(answer > 0, what);
                    QVERIFY2(otherRoot <= Tolerance || std::abs(otherRoot - answer) < Tolerance,
                             what);
                }
            } catch (const std::invalid_argument& e) {
                QFAIL(e.what());
            }
        }
    }

private:
    zeltrix::QuestionFile m_file;
};

QTEST_APPLESS_MAIN(QuestionFileTest)
#include "QuestionFileTest.moc"
