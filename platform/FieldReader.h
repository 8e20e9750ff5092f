#pragma once

#include <stdexcept>
#include <string>

namespace korvo {

// Reads the comma/quote/line-end delimited fields that the question, hall-of-fame and catalogue
// files use. Fields are separated by a comma or a line end (CR LF, lone LF or lone CR). A field
// that starts with a double quote runs to the next quote (commas and blanks inside are kept);
// anything after the closing quote up to the delimiter is dropped. An unquoted field runs to
// the next delimiter, without surrounding blanks. Works on bytes: the text's encoding is the
// caller's business.
class FieldReader {
public:
    struct Error : std::runtime_error {
        Error(int line, const std::string& what) : std::runtime_error(what), line(line) {}
        int line;
    };

    explicit FieldReader(std::string text);

    // True when nothing but blanks and line ends is left.
    bool atEnd() const;
    // The line (from 1) where the next field starts.
    int line() const;

    std::string readText();
    // A decimal whole number within the 16-bit range of the files' number fields.
    int readInteger();

private:
    void skipBlanks();
    void skipDelimiter();

    std::string m_text;
    std::size_t m_pos = 0;
    int m_line = 1;
};

} // namespace korvo
