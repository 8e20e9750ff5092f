#pragma once

#include "GameState.h"

#include <string>
#include <vector>

namespace zeltrix {

// The question file as read: the block size and the records, numbered from 1 (index 0 is an
// empty record).
struct QuestionFile {
    int BlockSize = 0;
    std::vector<QuestionRecord> Questions;
    int count() const { return static_cast<int>(Questions.size()) - 1; }
};

// Reads the header and the records; throws korvo::FieldReader::Error naming the line of a
// header or number that does not read, an answer that is no number, or a record cut short.
QuestionFile parseQuestionFile(std::string text);

// The drawable records of the block are 1..count()-1 (the file's last record is never drawn).
// Five Comeqs are compared with five captions at most, so each block of the challenge needs six
// different absolute answers for the draw to succeed. Returns the first stage (1..3) that
// lacks them, or 0.
int stageWithTooFewAnswers(const QuestionFile& file, int challengeBase);

} // namespace zeltrix
