// Parses arbitrary bytes as the question file, as the game reads it, and checks every
// challenge's stages for enough different answers.
#include "FieldReader.h"
#include "Game.h"
#include "QuestionFile.h"
#include "Text.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zeltrix::QuestionFile file;
    try {
        file = zeltrix::parseQuestionFile(
            korvo::fromWindows1252(std::string_view(reinterpret_cast<const char*>(data), size)));
    } catch (const korvo::FieldReader::Error&) {
        return 0;
    }
    for (const int challengeBase : {0, 2, 4}) {
        zeltrix::stageWithTooFewAnswers(file, challengeBase);
    }
    for (const auto& record : file.Questions) {
        zeltrix::Game::FormatPowers(record.Equation);
    }
    return 0;
}
