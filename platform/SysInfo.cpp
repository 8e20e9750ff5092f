#include "SysInfo.h"

#include "Log.h"
#include "Messages.h"
#include "Shell.h"

#include <QStandardPaths>
#include <QString>

#include <array>
#include <filesystem>

namespace korvo {

namespace {

constexpr auto kRoot = RegistryRoot::LocalMachine;

// System-information programs of the Linux desktops, most informative first.
constexpr std::array<const char*, 4> kDesktopTools = {"hardinfo2", "hardinfo", "kinfocenter",
                                                      "gnome-system-monitor"};

bool startProgram(const std::string& path) {
    if (shell().StartProgram(path) != 0) {
        return true;
    }
    qCDebug(lcKorvo) << "system information: could not start" << path.c_str();
    return false;
}

bool startRegisteredTool() {
    std::string path;
    if (GetKeyValue(kRoot, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", path)) {
        return startProgram(path);
    }
    if (GetKeyValue(kRoot, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", path)) {
        path += "/MSINFO32.EXE";
        std::error_code error;
        if (std::filesystem::exists(path, error)) {
            return startProgram(path);
        }
    }
    return false;
}

bool startDesktopTool() {
    for (const char* name : kDesktopTools) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!path.isEmpty()) {
            return startProgram(path.toStdString());
        }
    }
    return false;
}

} // namespace

bool GetKeyValue(RegistryRoot root, const std::string& keyName, const std::string& valueName,
                 std::string& result) {
    result.clear();
    const auto value = Registry().QueryValue(root, keyName, valueName);
    if (!value) {
        return false;
    }
    if (const auto* number = std::get_if<std::uint32_t>(&*value)) {
        result = std::to_string(*number);
    } else {
        result = std::get<std::string>(*value);
    }
    return true;
}

void StartSysInfo() {
    bool started = false;
    try {
        started = startRegisteredTool() || startDesktopTool();
    } catch (...) {
        started = false;
    }
    if (!started) {
        qCDebug(lcKorvo) << "system information: none registered nor installed";
        PlatformMessage("System Information Is Unavailable At This Time", MessageIcon::None);
    }
}

} // namespace korvo
