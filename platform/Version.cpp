#include "Version.h"

namespace korvo {

std::string ProgramVersion() {
    return std::to_string(KORVO_VERSION_MAJOR) + '.' + std::to_string(KORVO_VERSION_MINOR) + '.' +
           std::to_string(KORVO_VERSION_PATCH);
}

} // namespace korvo
