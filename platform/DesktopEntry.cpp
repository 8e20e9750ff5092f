#include "DesktopEntry.h"

#include "Text.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QSaveFile>

#include <cctype>
#include <cstdlib>
#include <system_error>

namespace fs = std::filesystem;

namespace korvo {

namespace {

constexpr int kIconSize = 128;

// "Korvo's Zeltrix" -> "korvo-zeltrix": letters and digits in lower case, a possessive "'s"
// dropped, every other run of characters one "-".
std::string entryId(std::string_view game) {
    std::string id;
    for (std::size_t i = 0; i < game.size(); ++i) {
        const char c = game[i];
        const auto word = [](char x) { return std::isalnum(static_cast<unsigned char>(x)) != 0; };
        if (c == '\'' && i + 1 < game.size() && (game[i + 1] | 0x20) == 's' &&
            (i + 2 == game.size() || !word(game[i + 2]))) {
            ++i;
        } else if (word(c) && static_cast<unsigned char>(c) < 0x80) {
            id += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        } else if (!id.empty() && id.back() != '-') {
            id += '-';
        }
    }
    while (!id.empty() && id.back() == '-') {
        id.pop_back();
    }
    return id.empty() ? "korvo-game" : id;
}

// The picture in the middle of a square icon, as large as fits.
std::string iconBytes(const fs::path& picture) {
    const QImage image(QString::fromStdString(picture.string()));
    if (image.isNull()) {
        return {};
    }
    QImage icon(kIconSize, kIconSize, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    const QImage scaled =
        image.scaled(kIconSize, kIconSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPainter(&icon).drawImage((kIconSize - scaled.width()) / 2, (kIconSize - scaled.height()) / 2,
                              scaled);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    icon.save(&buffer, "PNG");
    return bytes.toStdString();
}

} // namespace

std::string userDataHome(const char* dataHome, const char* home) {
    std::string data = dataHome != nullptr ? dataHome : "";
    if (!data.starts_with('/')) {
        data = std::string(home != nullptr ? home : "") + "/.local/share";
    }
    while (data.size() > 1 && data.ends_with('/')) {
        data.pop_back();
    }
    return data;
}

std::string userDataHome() {
    return userDataHome(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}

std::string desktopExec(const std::string& path) {
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
    return desktopString(quoted);
}

std::string desktopString(const std::string& text) {
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

bool writeWhole(const fs::path& file, std::string_view bytes) {
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    QSaveFile out(QString::fromStdString(file.string()));
    return out.open(QIODevice::WriteOnly) &&
           out.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
               static_cast<qint64>(bytes.size()) &&
           out.commit();
}

MenuEntryFiles menuEntryFiles(const fs::path& dataHome, std::string_view game) {
    const std::string id = entryId(game);
    return {dataHome / "applications" / (id + ".desktop"),
            dataHome / "icons/hicolor" /
                (std::to_string(kIconSize) + "x" + std::to_string(kIconSize)) / "apps" /
                (id + ".png")};
}

std::string writeMenuEntry(const fs::path& dataHome, const std::string& game,
                           const fs::path& program, const fs::path& picture) {
    const MenuEntryFiles files = menuEntryFiles(dataHome, game);
    std::string failure;
    // The icon is named by its path: no icon theme needs to be installed or its cache renewed,
    // and the uninstaller removes exactly the file the entry names.
    std::string icon;
    const std::string png = iconBytes(picture);
    if (png.empty()) {
        failure = "no icon could be made of " + picture.string();
    } else if (!writeWhole(files.icon, png)) {
        failure = "the icon could not be written to " + files.icon.string();
    } else {
        icon = "Icon=" + desktopString(files.icon.string()) + "\n";
    }
    const std::string text = "[Desktop Entry]\n"
                             "Type=Application\n"
                             "Version=1.0\n"
                             "Name=" +
                             desktopString(game) + "\nComment=One of Korvo's maths games\n" +
                             "Exec=" + desktopExec(program.string()) + "\n" + icon +
                             "Terminal=false\n"
                             "Categories=Game;Education;Math;\n";
    if (!writeWhole(files.entry, text)) {
        return "the menu entry could not be written to " + files.entry.string();
    }
    return failure;
}

void removeMenuEntry(const fs::path& dataHome, const std::string& game,
                     const fs::path& gameFolder) {
    const MenuEntryFiles files = menuEntryFiles(dataHome, game);
    std::string text;
    try {
        text = readFileBytes(files.entry.string());
    } catch (const std::exception&) {
        return;
    }
    std::string runs = desktopExec((gameFolder / "").string());
    runs.pop_back(); // the closing quotation mark: a program in that folder follows
    if (text.find("\nExec=" + runs) == std::string::npos) {
        return;
    }
    std::error_code ignored;
    fs::remove(files.entry, ignored);
    fs::remove(files.icon, ignored);
}

} // namespace korvo
