#include "Registry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace korvo {

namespace {

constexpr QStringView kNumberPrefix = u"dword:";
constexpr QStringView kTextPrefix = u"sz:";

QString rootName(RegistryRoot root) {
    switch (root) {
    case RegistryRoot::ClassesRoot:
        return QStringLiteral("HKEY_CLASSES_ROOT");
    case RegistryRoot::CurrentUser:
        return QStringLiteral("HKEY_CURRENT_USER");
    case RegistryRoot::LocalMachine:
        return QStringLiteral("HKEY_LOCAL_MACHINE");
    case RegistryRoot::Users:
        return QStringLiteral("HKEY_USERS");
    }
    return {};
}

// QSettings separates groups with '/'; the registry with '\'.
QString settingsKey(RegistryRoot root, const std::string& keyName, const std::string& valueName) {
    QString key = QString::fromStdString(keyName);
    key.replace(u'\\', u'/');
    return rootName(root) + u'/' + key + u'/' + QString::fromStdString(valueName);
}

} // namespace

Registry::Registry() : m_file(userFile()) {}

Registry::Registry(const QString& iniFile) : m_file(iniFile) {}

QString Registry::userFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Korvo/registry.ini");
}

std::optional<RegistryValue> Registry::QueryValue(RegistryRoot root, const std::string& keyName,
                                                  const std::string& valueName) const {
    const QSettings settings(m_file, QSettings::IniFormat);
    const QVariant stored = settings.value(settingsKey(root, keyName, valueName));
    if (!stored.isValid()) {
        return std::nullopt;
    }
    const QString text = stored.toString();
    if (text.startsWith(kNumberPrefix)) {
        bool ok = false;
        const std::uint32_t number = text.sliced(kNumberPrefix.size()).toUInt(&ok, 16);
        if (ok) {
            return number;
        }
    }
    if (text.startsWith(kTextPrefix)) {
        return text.sliced(kTextPrefix.size()).toStdString();
    }
    return text.toStdString();
}

bool Registry::SetValue(RegistryRoot root, const std::string& keyName, const std::string& valueName,
                        const RegistryValue& value) {
    QString stored;
    if (const auto* number = std::get_if<std::uint32_t>(&value)) {
        stored =
            kNumberPrefix.toString() + QStringLiteral("%1").arg(*number, 8, 16, QLatin1Char('0'));
    } else {
        stored = QString::fromStdString(std::get<std::string>(value));
        if (stored.startsWith(kNumberPrefix) || stored.startsWith(kTextPrefix)) {
            stored.prepend(kTextPrefix);
        }
    }
    QDir().mkpath(QFileInfo(m_file).absolutePath());
    QSettings settings(m_file, QSettings::IniFormat);
    settings.setValue(settingsKey(root, keyName, valueName), stored);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

bool Registry::CreateKey(RegistryRoot /*root*/, const std::string& /*keyName*/) {
    if (!QDir().mkpath(QFileInfo(m_file).absolutePath())) {
        return false;
    }
    QFile store(m_file);
    return store.open(QIODevice::ReadWrite); // makes an empty store, changes nothing else
}

void Registry::DeleteKey(RegistryRoot root, const std::string& keyName) {
    QSettings settings(m_file, QSettings::IniFormat);
    // settingsKey with an empty value name ends in '/', which QSettings does not take.
    QString key = settingsKey(root, keyName, {});
    key.chop(1);
    settings.remove(key);
}

} // namespace korvo
