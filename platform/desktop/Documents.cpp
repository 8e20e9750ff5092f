#include "Documents.h"

#include "Log.h"
#include "Messages.h"
#include "Shell.h"
#include "Text.h"

#include <QFileInfo>
#include <QPointer>
#include <QStringDecoder>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace korvo {

namespace {

// A help viewer of our own: the desktop has no program for ".hlp" files.
class HelpWindow : public QWidget {
public:
    HelpWindow() {
        setObjectName("frm_Help");
        setWindowTitle(QString::fromStdString(HelpWindowTitle));
        // Closing the program's last window must not leave it running for the sake of the help.
        setAttribute(Qt::WA_QuitOnClose, false);
        setAttribute(Qt::WA_DeleteOnClose);
        m_browser->setObjectName("txt_Help");
        m_browser->setOpenExternalLinks(true);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_browser);
        resize(640, 520);
    }

    // Throws std::runtime_error when the file cannot be read.
    void load(const std::string& path) {
        const QByteArray bytes = QByteArray::fromStdString(readFileBytes(path));
        QStringDecoder decoder = QStringDecoder::decoderForHtml(bytes);
        const QString html = decoder(bytes);
        m_browser->setSearchPaths({QFileInfo(QString::fromStdString(path)).absolutePath()});
        m_browser->setHtml(html);
    }

private:
    QTextBrowser* m_browser = new QTextBrowser(this);
};

// Throws std::runtime_error when the file cannot be read.
void showHelpWindow(const std::string& path, int windowState) {
    static QPointer<HelpWindow> window;
    if (window.isNull()) {
        window = new HelpWindow;
    }
    try {
        window->load(path);
    } catch (const std::exception&) {
        if (!window->isVisible()) {
            delete window;
        }
        throw;
    }
    if (windowState == 1) {
        window->showMinimized();
    } else if (windowState == 2) {
        window->showMaximized();
    } else {
        window->showNormal();
    }
    window->raise();
    window->activateWindow();
}

bool isHelpFile(const std::string& document) {
    return QString::fromStdString(document).endsWith(QStringLiteral(".hlp"), Qt::CaseInsensitive);
}

} // namespace

void OpenDocument(const std::string& document, int windowState, bool& result) {
    std::string why = "the desktop has no program for it";
    try {
        if (isHelpFile(document)) {
            showHelpWindow(document, windowState);
            result = true;
        } else {
            result = shell().OpenDocument(document);
        }
    } catch (const std::exception& error) {
        why = error.what();
        result = false;
    }
    if (!result) {
        qCDebug(lcKorvo) << "not opened:" << document.c_str() << "-" << why.c_str();
        PlatformMessage("Unable to open " + document + ".", MessageIcon::Exclamation);
    }
}

} // namespace korvo
