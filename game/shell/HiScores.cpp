#include "HiScores.h"

#include "FieldReader.h"
#include "Numbers.h"
#include "Text.h"

#include <QSaveFile>

#include <stdexcept>

namespace zeltrix {

namespace {
HiScores emptyTable() {
    HiScores table;
    for (HiScoreEntry& entry : table) {
        entry.Score = "0";
    }
    return table;
}
} // namespace

HiScores parseHiScores(std::string_view bytes) {
    HiScores table = emptyTable();
    korvo::FieldReader reader{std::string(bytes)};
    try {
        for (HiScoreEntry& entry : table) {
            if (reader.atEnd()) {
                break;
            }
            entry.Name = storableName(korvo::fromWindows1252(reader.readText()));
            std::string score = reader.readText();
            entry.Score = korvo::toNumber(score) ? score : "0";
        }
    } catch (const korvo::FieldReader::Error&) {
        // A record cut short keeps its name and the score "0".
    }
    return table;
}

HiScores loadHiScores(const std::string& path) {
    try {
        return parseHiScores(korvo::readFileBytes(path));
    } catch (const std::runtime_error&) {
        return emptyTable();
    }
}

std::string formatHiScores(const HiScores& table) {
    std::string bytes;
    for (const HiScoreEntry& entry : table) {
        bytes += '"' + korvo::toWindows1252(entry.Name) + "\",\"" +
                 korvo::toWindows1252(entry.Score) + "\"\r\n";
    }
    return bytes;
}

bool saveHiScores(const HiScores& table, const std::string& path) {
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    const std::string bytes = formatHiScores(table);
    const auto size = static_cast<qint64>(bytes.size());
    // Qt lets a short write (a full disk) through to the rename unless the flush is checked.
    if (file.write(bytes.data(), size) != size || !file.flush()) {
        file.cancelWriting();
    }
    return file.commit();
}

int insertHiScore(HiScores& table, const std::string& score) {
    const long long value = korvo::wholeNumber(score);
    for (int row = 0; row < static_cast<int>(table.size()); ++row) {
        if (value > korvo::wholeNumber(table[row].Score)) {
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
