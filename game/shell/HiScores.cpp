#include "HiScores.h"

#include "FieldReader.h"
#include "Log.h"
#include "Numbers.h"
#include "Text.h"

#include <QSaveFile>

#include <stdexcept>

namespace zeltrix {

HiScores parseHiScores(std::string_view bytes) {
    HiScores table;
    korvo::FieldReader reader{std::string(bytes)};
    try {
        for (HiScoreEntry& entry : table) {
            if (reader.atEnd()) {
                break;
            }
            entry.Name = storableName(korvo::fromWindows1252(reader.readText()));
            entry.Score = korvo::wholeNumber(reader.readText());
        }
    } catch (const korvo::FieldReader::Error&) {
        // A record cut short keeps its name and the score 0.
    }
    return table;
}

HiScores loadHiScores(const std::string& path) {
    try {
        return parseHiScores(korvo::readFileBytes(path));
    } catch (const std::runtime_error&) {
        return {};
    }
}

std::string formatHiScores(const HiScores& table) {
    std::string bytes;
    for (const HiScoreEntry& entry : table) {
        bytes += '"' + korvo::toWindows1252(entry.Name) + "\",\"" + std::to_string(entry.Score) +
                 "\"\r\n";
    }
    return bytes;
}

bool saveHiScores(const HiScores& table, const std::string& path) {
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) {
        qCDebug(korvo::lcKorvo) << "hall of fame not saved to" << path.c_str() << ":"
                                << file.errorString();
        return false;
    }
    const std::string bytes = formatHiScores(table);
    const auto size = static_cast<qint64>(bytes.size());
    // Qt lets a short write (a full disk) through to the rename unless the flush is checked.
    if (file.write(bytes.data(), size) != size || !file.flush()) {
        qCDebug(korvo::lcKorvo) << "hall of fame not saved to" << path.c_str() << ":"
                                << file.errorString();
        file.cancelWriting();
    }
    return file.commit();
}

int insertHiScore(HiScores& table, long long score) {
    for (int row = 0; row < static_cast<int>(table.size()); ++row) {
        if (score > table[row].Score) {
            for (int below = static_cast<int>(table.size()) - 1; below > row; --below) {
                table[below] = table[below - 1];
            }
            table[row] = {"", score};
            return row;
        }
    }
    return -1;
}

std::string storableName(std::string name) {
    for (char& c : name) {
        if (c == '"') {
            c = '\'';
        } else if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return name;
}

} // namespace zeltrix
