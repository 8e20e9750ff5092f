#pragma once

#include "Registry.h"

#include <string>

namespace korvo {

// Reads one registry value into result: texts unchanged, numbers in decimal. False, with an
// empty result, when the key or the value is missing.
bool GetKeyValue(RegistryRoot root, const std::string& keyName, const std::string& valueName,
                 std::string& result);

// Starts the system-information program: the one registered in the registry, else one the
// desktop has installed, else tells the player that there is none.
void StartSysInfo();

} // namespace korvo
