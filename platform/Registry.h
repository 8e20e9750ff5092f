#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

namespace korvo {

enum class RegistryRoot { ClassesRoot, CurrentUser, LocalMachine, Users };

// A registry value: text or a 32-bit number.
using RegistryValue = std::variant<std::string, std::uint32_t>;

// The registry as the programs know it, kept as a key/value store in an INI file. Key paths are
// written as the system writes them ("SOFTWARE\Microsoft\..."); each root is a top-level group
// of the file. Numbers are stored as "dword:" and eight hexadecimal digits, texts as they are;
// a text that could be mistaken for a number gets the prefix "sz:".
class Registry {
public:
    // The user's store: <configuration folder>/Korvo/registry.ini.
    Registry();
    explicit Registry(const QString& iniFile);

    // Nothing when the key or the value does not exist.
    std::optional<RegistryValue> QueryValue(RegistryRoot root, const std::string& keyName,
                                            const std::string& valueName) const;
    // False when the store could not be written.
    bool SetValue(RegistryRoot root, const std::string& keyName, const std::string& valueName,
                  const RegistryValue& value);
    // A key of the store exists through its values, so creating an empty one only makes sure
    // that the store can be written; false when it cannot.
    bool CreateKey(RegistryRoot root, const std::string& keyName);
    // Removes the key with all its values and sub-keys; nothing happens when it does not exist.
    void DeleteKey(RegistryRoot root, const std::string& keyName);

    static QString userFile();

private:
    QString m_file;
};

} // namespace korvo
