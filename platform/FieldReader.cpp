#include "FieldReader.h"

#include "Numbers.h"

#include <cmath>

namespace korvo {

namespace {
bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}
} // namespace

FieldReader::FieldReader(std::string text) : m_text(std::move(text)) {}

bool FieldReader::atEnd() const {
    for (std::size_t i = m_pos; i < m_text.size(); ++i) {
        char c = m_text[i];
        if (!isBlank(c) && !isLineEnd(c) && c != '\x1a') { // Ctrl-Z ends old DOS text files
            return false;
        }
    }
    return true;
}

int FieldReader::line() const {
    return m_line;
}

void FieldReader::skipBlanks() {
    while (m_pos < m_text.size() && isBlank(m_text[m_pos])) {
        ++m_pos;
    }
}

void FieldReader::skipDelimiter() {
    if (m_pos >= m_text.size()) {
        return;
    }
    char c = m_text[m_pos];
    if (c == ',') {
        ++m_pos;
    } else if (c == '\r') {
        ++m_pos;
        if (m_pos < m_text.size() && m_text[m_pos] == '\n') {
            ++m_pos;
        }
        ++m_line;
    } else if (c == '\n') {
        ++m_pos;
        ++m_line;
    }
}

std::string FieldReader::readText() {
    if (atEnd()) {
        throw Error(m_line, "the file ends where a field was expected");
    }
    skipBlanks();
    std::string field;
    if (m_pos < m_text.size() && m_text[m_pos] == '"') {
        ++m_pos;
        while (m_pos < m_text.size() && m_text[m_pos] != '"' && !isLineEnd(m_text[m_pos])) {
            field += m_text[m_pos++];
        }
        if (m_pos < m_text.size() && m_text[m_pos] == '"') {
            ++m_pos;
        }
        while (m_pos < m_text.size() && m_text[m_pos] != ',' && !isLineEnd(m_text[m_pos])) {
            ++m_pos;
        }
    } else {
        while (m_pos < m_text.size() && m_text[m_pos] != ',' && !isLineEnd(m_text[m_pos])) {
            field += m_text[m_pos++];
        }
        while (!field.empty() && isBlank(field.back())) {
            field.pop_back();
        }
    }
    skipDelimiter();
    return field;
}

int FieldReader::readInteger() {
    int line = m_line;
    std::string field = readText();
    auto value = toNumber(field);
    // The range comes first: converting a double beyond the integer's range is undefined.
    if (!value || *value < -32768 || *value > 32767 || *value != std::trunc(*value)) {
        throw Error(line, "\"" + field + "\" is not a whole number");
    }
    return static_cast<int>(*value);
}

} // namespace korvo
