#include "HiScoreBoard.h"

#include "DataPath.h"
#include "FrmHiScores.h"
#include "Modal.h"

#include <QCoreApplication>

namespace zeltrix {

namespace {
std::string filePath() {
    return korvo::dataPath("hiscores.txt");
}
} // namespace

void HiScoreBoard::LoadHiScores() {
    m_table = loadHiScores(filePath());
}

void HiScoreBoard::SaveHiScores() {
    saveHiScores(m_table, filePath());
}

long long HiScoreBoard::Score(int index) const {
    return index >= 0 && index < static_cast<int>(m_table.size()) ? m_table[index].Score : 0;
}

void HiScoreBoard::CheckHiScore(std::optional<long long> score) {
    FrmHiScores form(m_table, m_sound, m_sprite);
    const int newRow = score ? insertHiScore(m_table, *score) : -1;
    form.showTable(newRow);
    QCoreApplication::processEvents();
    korvo::showModal(form);
}

} // namespace zeltrix
