#include "DataPath.h"
#include "FieldReader.h"
#include "Game.h"
#include "Numbers.h"
#include "Text.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace zeltrix {

namespace {
constexpr const char* kQuestionFile = "questions.txt";
// Five Comeqs are compared with five captions at most, so a block needs six different
// absolute answers for the draw to be sure to succeed.
constexpr std::size_t kDistinctAnswersNeeded = 6;

std::string damaged(int line, const std::string& what) {
    return std::string("Sorry, the question file \"") + kQuestionFile + "\" is damaged at line " +
           std::to_string(line) + ": " + what;
}
} // namespace

bool Game::LoadQuestions() {
    std::string text;
    try {
        text = korvo::fromWindows1252(korvo::readFileBytes(korvo::dataPath(kQuestionFile)));
    } catch (const std::exception&) {
        ShowNiceMessage(std::string("Sorry, the question file \"") + kQuestionFile +
                        "\" is missing or cannot be read.");
        return false;
    }

    std::vector<QuestionRecord> questions(1);
    int blockSize = 0;
    try {
        korvo::FieldReader in(std::move(text));
        in.readInteger();
        in.readText();
        int line = in.line();
        blockSize = in.readInteger();
        if (blockSize < 1) {
            throw korvo::FieldReader::Error(line, "the block size must be at least 1.");
        }
        in.readText();
        while (!in.atEnd()) {
            QuestionRecord record;
            record.Equation = in.readText();
            line = in.line();
            record.Answer = in.readText();
            if (!korvo::toNumber(record.Answer)) {
                throw korvo::FieldReader::Error(line, "the answer \"" + record.Answer +
                                                          "\" is no number.");
            }
            record.Spare = in.readInteger();
            questions.push_back(std::move(record));
        }
    } catch (const korvo::FieldReader::Error& e) {
        ShowNiceMessage(damaged(e.line, e.what()));
        return false;
    }

    m_state.Questions = std::move(questions);
    m_state.QuestionCount = static_cast<int>(m_state.Questions.size()) - 1;
    m_state.BlockSize = blockSize;

    std::string problem = checkQuestionBlocks();
    if (!problem.empty()) {
        ShowNiceMessage(problem);
        return false;
    }
    return true;
}

// The draw in PickQuestion only ends when it finds an answer that is not on screen yet; refuse
// a file whose blocks for this challenge cannot always offer one, rather than hang.
std::string Game::checkQuestionBlocks() const {
    for (int stage = 1; stage <= 3; ++stage) {
        const int block = m_state.ChallengeBase + stage - 1;
        const long long first = static_cast<long long>(block) * m_state.BlockSize + 1;
        std::set<double> answers;
        for (long long k = first; k < first + m_state.BlockSize && k < m_state.QuestionCount; ++k) {
            answers.insert(std::fabs(*korvo::toNumber(m_state.Questions[k].Answer)));
        }
        if (answers.size() < kDistinctAnswersNeeded) {
            return std::string("Sorry, the question file \"") + kQuestionFile +
                   "\" has too few different answers for stage " + std::to_string(stage) +
                   " of this challenge.";
        }
    }
    return {};
}

int Game::drawableRecord(double r) const {
    return static_cast<int>(std::floor(m_state.BlockSize * r)) + 1 +
           (m_state.ChallengeBase + m_state.Stage - 1) * m_state.BlockSize;
}

bool Game::drawQualifies(int k, bool acceptUsed) const {
    return k < m_state.QuestionCount && !AnswerOnScreen(m_state.Questions[k].Answer) &&
           m_state.Questions[k].Used == acceptUsed;
}

void Game::PickQuestion(int i) {
    bool found = false;
    int tries = 0;
    bool acceptUsed = false;
    int k = 0;
    // The draw gives up after a second thousand tries, which only a block that has no fitting
    // question left ever needs: then a fitting question is taken directly.
    while (!found && tries < 2000) {
        k = drawableRecord(m_services.random.Rnd());
        found = drawQualifies(k, acceptUsed);
        tries += 1;
        if (tries > 1000) {
            acceptUsed = true;
        }
    }
    if (!found) {
        k = fittingRecord();
    }
    m_state.Comeqs[i - 1].Question = FormatPowers(m_state.Questions[k].Equation);
    m_state.Comeqs[i - 1].Answer = m_state.Questions[k].Answer;
    m_state.Questions[k].Used = true;
}

// A question of the block whose answer is not on screen, used ones first as the draw prefers
// them by then. The loader made sure the block has one.
int Game::fittingRecord() const {
    const int first = drawableRecord(0.0);
    const int end = std::min(first + m_state.BlockSize, m_state.QuestionCount);
    for (bool used : {true, false}) {
        for (int k = first; k < end; ++k) {
            if (drawQualifies(k, used)) {
                return k;
            }
        }
    }
    return std::max(1, std::min(first, m_state.QuestionCount - 1));
}

bool Game::AnswerOnScreen(const std::string& answer) const {
    auto value = korvo::toNumber(answer);
    if (!value) {
        return false;
    }
    for (int j = 1; j <= m_state.ComeqCount; ++j) {
        auto shown = korvo::toNumber(m_field.sh_Ball[j].Caption);
        if (shown && std::fabs(*shown) == std::fabs(*value)) {
            return true;
        }
    }
    return false;
}

std::string Game::FormatPowers(std::string s) {
    for (auto caret = s.find('^'); caret != std::string::npos; caret = s.find('^')) {
        std::size_t length = 0; // of the UTF-8 character after the caret
        if (caret + 1 < s.size()) {
            auto lead = static_cast<unsigned char>(s[caret + 1]);
            length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
            length = std::min(length, s.size() - caret - 1);
        }
        const bool square = length == 1 && s[caret + 1] == '2';
        s.replace(caret, 1 + length, square ? "\u00B2" : "\u00B3");
    }
    return s;
}

void Game::NextQuestion() {
    m_field.lab_Question.Visible = true;
    m_state.CurrentQuestion += 1;
    m_field.lab_Question.Caption = m_state.Comeqs[m_state.CurrentQuestion - 1].Question;
}

} // namespace zeltrix
