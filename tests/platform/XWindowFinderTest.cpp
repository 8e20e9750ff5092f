#include "XWindowFinder.h"

#include <QDialog>
#include <QGuiApplication>
#include <QtTest>

#include <memory>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {
korvo::WindowId idOf(const QWidget& widget) {
    return static_cast<korvo::WindowId>(widget.winId());
}

std::unique_ptr<QWidget> window(const QString& title) {
    auto widget = std::make_unique<QWidget>();
    widget->setWindowTitle(title);
    widget->resize(200, 100);
    return widget;
}

void showAndWait(QWidget& widget) {
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
}
} // namespace

// The finder against real windows of a private X server, with and without a window manager.
class XWindowFinderTest : public QObject {
    Q_OBJECT
    korvo::XWindowFinder m_finder;
    const long long m_self = QCoreApplication::applicationPid();

private slots:
    void initTestCase() { QCOMPARE(QGuiApplication::platformName(), QString("xcb")); }
    // The title rules themselves are WindowFinderTest's; here: titles read from X as UTF-8, the
    // must-not part passed on, no match giving no window, and another program's window never
    // counting, whatever its title and place.
    void findsTheProcesssWindowByTitleRules() {
        auto help = window("Korvo's Help");
        auto accents = window(QString::fromUtf8("Korvo's Caf\u00e9 Tables"));
        auto stranger = window("Korvo's notes.txt");
        showAndWait(*accents);
        showAndWait(*help); // on top: found unless the must-not part counts
        showAndWait(*stranger);
        // The stranger's window says that another process made it.
        Display* display = XOpenDisplay(nullptr);
        const unsigned long other = static_cast<unsigned long>(m_self + 1);
        XChangeProperty(display, stranger->winId(), XInternAtom(display, "_NET_WM_PID", False),
                        XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&other), 1);
        XCloseDisplay(display);
        QCOMPARE(m_finder.FindProcessWindow(m_self, "korvo's", "help"), idOf(*accents));
        QCOMPARE(m_finder.FindProcessWindow(m_self, "CAF\u00c9", ""), idOf(*accents));
        QCOMPARE(m_finder.FindProcessWindow(m_self, "no such window", ""), korvo::WindowId(0));
        QCOMPARE(m_finder.FindProcessWindow(m_self + 1, "korvo's", "help"), idOf(*stranger));
        QCOMPARE(m_finder.FindProcessWindow(0, "korvo's", "help"), korvo::WindowId(0));
    }

    void skipsOwnedDialogs() {
        auto host = window("Host");
        showAndWait(*host);
        QDialog owned(host.get());
        owned.setWindowTitle("Korvo's Owned Dialog");
        showAndWait(owned);
        // A dialog without a parent is still owned: Qt makes it transient for the program.
        QDialog box;
        box.setWindowTitle("Korvo's Message");
        showAndWait(box);
        QCOMPARE(m_finder.FindProcessWindow(m_self, "korvo's", "help"), korvo::WindowId(0));
        QVERIFY(m_finder.IsWindow(idOf(owned)));
    }

    void findsHiddenWindows() {
        auto neverShown = window("Korvo's Never Shown");
        neverShown->winId(); // exists, never mapped
        QCOMPARE(m_finder.FindProcessWindow(m_self, "never shown", ""), idOf(*neverShown));
        auto hidden = window("Korvo's Hidden Later");
        showAndWait(*hidden);
        hidden->hide();
        // A window manager gives a withdrawn window back to the root; it is still found.
        QTRY_COMPARE(m_finder.FindProcessWindow(m_self, "hidden later", ""), idOf(*hidden));
        QVERIFY(m_finder.IsWindow(idOf(*hidden)));
    }

    void vanishedWindowsAreNotWindows() {
        auto doomed = window("Korvo's Doomed");
        showAndWait(*doomed);
        const korvo::WindowId id = idOf(*doomed);
        QVERIFY(m_finder.IsWindow(id));
        doomed.reset();
        QTRY_VERIFY(!m_finder.IsWindow(id));
        QCOMPARE(m_finder.FindProcessWindow(m_self, "doomed", ""), korvo::WindowId(0));
        QVERIFY(!m_finder.IsWindow(0));
        QVERIFY(!m_finder.IsWindow(0x1fffffff)); // an id that names no window: an X error, handled
        QVERIFY(m_finder.IsWindow(idOf(*window("still works")))); // the connection lives on
    }
};

QTEST_MAIN(XWindowFinderTest)
#include "XWindowFinderTest.moc"
