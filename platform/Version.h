#pragma once

#include <string>

namespace korvo {

// Major, minor and revision of the build, "2.1.0": both programs show the project's version.
std::string ProgramVersion();

} // namespace korvo
