#include "DataPath.h"
#include "FieldReader.h"
#include "Game.h"
#include "Numbers.h"
#include "QuestionFile.h"
#include "Text.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace zeltrix {

namespace {
constexpr const char* kQuestionFile = "questions.txt";
constexpr std::size_t kDistinctAnswersNeeded = 6;

std::string sorry(const std::string& what) {
    return std::string("Sorry, the question file \"") + kQuestionFile + "\" " + what;
}
} // namespace

QuestionFile parseQuestionFile(std::string text) {
    QuestionFile file;
    file.Questions.resize(1);
    korvo::FieldReader in(std::move(text));
    in.readInteger();
    in.readText();
    int line = in.line();
    file.BlockSize = in.readInteger();
    if (file.BlockSize < 1) {
        throw korvo::FieldReader::Error(line, "the block size must be at least 1");
    }
    in.readText();
    while (!in.atEnd()) {
        QuestionRecord record;
        record.Equation = in.readText();
        line = in.line();
        record.Answer = in.readText();
        if (!korvo::toNumber(record.Answer)) {
            throw korvo::FieldReader::Error(line,
                                            "the answer \"" + record.Answer + "\" is not a number");
        }
        record.Spare = in.readInteger();
        file.Questions.push_back(std::move(record));
    }
    return file;
}

int stageWithTooFewAnswers(const QuestionFile& file, int challengeBase) {
    for (int stage = 1; stage <= 3; ++stage) {
        const long long first =
            static_cast<long long>(challengeBase + stage - 1) * file.BlockSize + 1;
        std::set<double> answers;
        for (long long k = first; k < first + file.BlockSize && k < file.count(); ++k) {
            answers.insert(std::fabs(*korvo::toNumber(file.Questions[k].Answer)));
        }
        if (answers.size() < kDistinctAnswersNeeded) {
            return stage;
        }
    }
    return 0;
}

// A file that cannot serve a whole game is refused with one message, before anything changes.
bool Game::LoadQuestions() {
    QuestionFile file;
    try {
        file = parseQuestionFile(
            korvo::fromWindows1252(korvo::readFileBytes(korvo::dataPath(kQuestionFile))));
    } catch (const korvo::FieldReader::Error& e) {
        ShowNiceMessage(
            sorry("is damaged at line " + std::to_string(e.line) + ": " + e.what() + "."));
        return false;
    } catch (const std::exception&) {
        ShowNiceMessage(sorry("is missing or cannot be read."));
        return false;
    }
    if (const int stage = stageWithTooFewAnswers(file, m_state.ChallengeBase)) {
        ShowNiceMessage(sorry("has too few different answers for stage " + std::to_string(stage) +
                              " of this challenge."));
        return false;
    }
    m_state.BlockSize = file.BlockSize;
    m_state.QuestionCount = file.count();
    m_state.Questions = std::move(file.Questions);
    return true;
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
