#include "Messages.h"

#include <cstdio>

namespace korvo {

namespace {

class StandardErrorMessages : public Messages {
public:
    bool Show(const Message& message) override {
        std::fprintf(stderr, "%s\n", message.text.c_str());
        return false;
    }
};

Messages*& current() {
    static Messages* replacement = nullptr;
    return replacement;
}

} // namespace

Messages& messages() {
    static StandardErrorMessages fallback;
    return current() != nullptr ? *current() : fallback;
}

void setMessages(Messages* replacement) {
    current() = replacement;
}

} // namespace korvo
