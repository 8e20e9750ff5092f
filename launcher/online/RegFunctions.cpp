#include "RegFunctions.h"

#include "DataPath.h"
#include "DesktopEntry.h"
#include "Installation.h"
#include "Uninstaller.h"

namespace launcher {

RegFunctions::RegFunctions(korvo::Registry& registry, std::string desktopEntry)
    : m_registry(registry), m_desktopEntry(std::move(desktopEntry)) {}

std::string RegFunctions::userDesktopEntry() {
    return korvo::desktopEntryFile(korvo::userDataHome()).string();
}

void RegFunctions::InitRegKeys() {
    RootKey = korvo::RegistryRoot::LocalMachine;
    BaseKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
}

bool RegFunctions::CreateNewKey(const std::string& keyName) {
    return m_registry.CreateKey(RootKey, BaseKeyPath + keyName);
}

bool RegFunctions::SetKeyValue(const std::string& keyName, const std::string& valueName,
                               const std::string& value) {
    return m_registry.SetValue(RootKey, BaseKeyPath + keyName, valueName, value);
}

void RegFunctions::WriteUninstallInfo(const std::string& componentsDir) {
    InitRegKeys();
    CreateNewKey(kUninstallKeyName);
    SetKeyValue(kUninstallKeyName, "DisplayName", kUninstallDisplayName);
    // The file that is there: on a file system where letter case matters, "Uninstall
    // Components.exe" would name nothing.
    SetKeyValue(kUninstallKeyName, "UninstallString", componentsDir + kUninstallerName);
    WriteDesktopEntry(componentsDir);
}

bool RegFunctions::WriteDesktopEntry(const std::string& componentsDir) {
    const std::string uninstaller = componentsDir + kUninstallerName;
    std::string dir = componentsDir;
    if (dir.size() > 1 && dir.back() == '/') {
        dir.pop_back();
    }
    const std::string text = "[Desktop Entry]\n"
                             "Type=Application\n"
                             "Version=1.0\n"
                             "Name=" +
                             kUninstallDisplayName +
                             "\n"
                             "GenericName=Uninstall Games\n"
                             "Comment=Remove the games that Korvo Control Panel installed\n"
                             "Exec=" +
                             korvo::desktopExec(uninstaller) +
                             "\nPath=" + korvo::desktopString(dir) +
                             "\nIcon=" + korvo::desktopString(korvo::dataPath("icon.png")) +
                             "\n"
                             "Terminal=false\n"
                             "Categories=Settings;PackageManager;\n";
    return korvo::writeWhole(m_desktopEntry, text);
}

} // namespace launcher
