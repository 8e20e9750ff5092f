#pragma once

#include <string>

namespace korvo {

enum class MessageIcon { None, Information, Exclamation };
enum class MessageButtons { Ok, OkCancel };

struct Message {
    std::string text;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    std::string title; // empty: the program's title
};

// The platform's modal message box, owned by the active window. The programs install the
// desktop's at start-up; tests install a fake.
class Messages {
public:
    virtual ~Messages() = default;
    // True when the user chose OK.
    virtual bool Show(const Message& message) = 0;
};

// The message box in use; without one installed, messages go to the standard error and count
// as cancelled, so that nothing is ever decided for a user who saw no question.
Messages& messages();
void setMessages(Messages* replacement);

inline bool PlatformMessage(const std::string& text, MessageIcon icon,
                            MessageButtons buttons = MessageButtons::Ok,
                            const std::string& title = {}) {
    return messages().Show({text, icon, buttons, title});
}

} // namespace korvo
