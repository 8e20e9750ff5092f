#include "RegFunctions.h"

#include "DataPath.h"
#include "Installation.h"
#include "Uninstaller.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace launcher {

RegFunctions::RegFunctions(korvo::Registry& registry, std::string desktopEntry)
    : m_registry(registry), m_desktopEntry(std::move(desktopEntry)) {}

std::string RegFunctions::userDesktopEntry() {
    return korvo::desktopEntryFile().string();
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
                             DesktopExec(uninstaller) + "\nPath=" + DesktopString(dir) +
                             "\nIcon=" + DesktopString(korvo::dataPath("icon.png")) +
                             "\n"
                             "Terminal=false\n"
                             "Categories=Settings;PackageManager;\n";
    const QString file = QString::fromStdString(m_desktopEntry);
    if (!QDir().mkpath(QFileInfo(file).absolutePath())) {
        return false;
    }
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) {
        return false;
    }
    out.write(text.data(), static_cast<qint64>(text.size()));
    return out.commit();
}

std::string DesktopExec(const std::string& path) {
    // Inside double quotes the format reserves '"', '`', '$' and '\'; '%' starts a field code.
    std::string quoted = "\"";
    for (const char c : path) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (c == '%') {
            quoted += "%%";
        } else {
            quoted += c;
        }
    }
    quoted += '"';
    // The Exec value is itself a string value, whose escapes apply first when it is read.
    return DesktopString(quoted);
}

std::string DesktopString(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '\\':
            escaped += "\\\\";
            break;
        case '\n':
            escaped += "\\n";
            break;
        case '\t':
            escaped += "\\t";
            break;
        case '\r':
            escaped += "\\r";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

} // namespace launcher
