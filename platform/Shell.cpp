#include "Shell.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStringList>
#include <QUrl>

namespace korvo {

namespace {

class DesktopShell : public Shell {
public:
    bool OpenDocument(const std::string& document) override {
        const QString text = QString::fromStdString(document);
        const QUrl url =
            text.contains(QStringLiteral("://")) ? QUrl(text) : QUrl::fromLocalFile(text);
        return QDesktopServices::openUrl(url);
    }

    long long StartProgram(const std::string& path,
                           const std::vector<std::string>& arguments) override {
        QStringList args;
        for (const std::string& argument : arguments) {
            args << QString::fromStdString(argument);
        }
        qint64 pid = 0;
        if (!QProcess::startDetached(QString::fromStdString(path), args, QString(), &pid)) {
            return 0;
        }
        return pid;
    }
};

Shell*& current() {
    static Shell* replacement = nullptr;
    return replacement;
}

} // namespace

Shell& shell() {
    static DesktopShell desktop;
    return current() != nullptr ? *current() : desktop;
}

void setShell(Shell* replacement) {
    current() = replacement;
}

} // namespace korvo
