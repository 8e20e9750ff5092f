#pragma once

#include <string>
#include <string_view>

namespace korvo {

// The folder that holds the program file. Set once at start-up by main(); tests point it at a
// folder of their own.
const std::string& programDir();
void setProgramDir(std::string dir);

// Every data file is the program folder + "/add/" + its name.
std::string dataPath(std::string_view name);

} // namespace korvo
