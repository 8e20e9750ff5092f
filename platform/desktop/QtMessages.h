#pragma once

#include "Messages.h"

namespace korvo {

// The desktop's message box (QMessageBox), modal to the active window, titled with the
// program's title unless a message brings its own.
class QtMessages : public Messages {
public:
    explicit QtMessages(std::string programTitle) : m_title(std::move(programTitle)) {}
    bool Show(const Message& message) override;

private:
    std::string m_title;
};

} // namespace korvo
