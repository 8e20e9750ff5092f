#pragma once

#include "LauncherServices.h"
#include "Registry.h"

#include <string>

namespace launcher {

inline const std::string kUninstallKeyName = "korvoscmpuninst";
inline const std::string kUninstallDisplayName = "Korvo Game Components";

// The entry that lets the system's software list remove the installed games with the
// uninstaller in the components directory, written every time an installation starts. On
// Linux a desktop entry in the user's applications folder does the same for the desktop's menus.
class RegFunctions : public UninstallEntry {
public:
    // desktopEntry: the desktop entry's file; the user's applications folder unless a test
    // gives another.
    explicit RegFunctions(korvo::Registry& registry, std::string desktopEntry = userDesktopEntry());

    void InitRegKeys();
    // Creates or opens BaseKeyPath + keyName; true when it could.
    bool CreateNewKey(const std::string& keyName);
    // Stores a text value under BaseKeyPath + keyName; true when it was stored.
    bool SetKeyValue(const std::string& keyName, const std::string& valueName,
                     const std::string& value);
    // The whole entry for a components directory ending in "/"; failures are passed over.
    void WriteUninstallInfo(const std::string& componentsDir) override;
    // The desktop entry that runs the uninstaller of the components directory; false when it
    // could not be written.
    bool WriteDesktopEntry(const std::string& componentsDir);

    korvo::RegistryRoot RootKey = korvo::RegistryRoot::LocalMachine;
    std::string BaseKeyPath;

    // $XDG_DATA_HOME/applications/korvo-game-components.desktop, ~/.local/share by default.
    static std::string userDesktopEntry();

private:
    korvo::Registry& m_registry;
    std::string m_desktopEntry;
};

} // namespace launcher
