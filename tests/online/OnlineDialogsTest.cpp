#include "OnlineDialogs.h"
#include "FrmBlab.h"
#include "OnlineFakes.h"
#include "PlatformFakes.h"
#include "XWindowFinder.h"

#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

// The information page and the about box on a private X server: the launcher waits while any
// window titled "Korvo's ..." exists, so a window that bears such a name must be gone once
// closed.
class OnlineDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void pageShowsTheGameAndIsGoneOnceClosed();
    void aboutBoxIsGoneOnceClosed();
};

void OnlineDialogsTest::pageShowsTheGameAndIsGoneOnceClosed() {
    QTemporaryDir dir;
    const QString picture = dir.path() + "/Korvo's Vorpa.gif";
    QImage image(99, 70, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QVERIFY(image.save(picture, "PNG"));

    korvo::XWindowFinder finder;
    QWidget owner;
    owner.setWindowTitle("Game Control Panel");
    owner.show();
    fakes::FakeComponentInstaller installer;
    fakes::FakeHttpClient http;
    const launcher::OnlineSetup online{dir.path().toStdString() + "/", installer, http};
    launcher::OnlineDialogs dialogs(online);
    dialogs.setOwner(&owner);

    korvo::WindowId pageWindow = 0;
    QTimer::singleShot(0, &owner, [&] {
        // Whatever the checks find, the page is closed, so that the test never hangs.
        QWidget* modal = nullptr;
        const auto closeAnyway = qScopeGuard([&] {
            if (modal != nullptr) {
                modal->close();
            }
        });
        QTRY_VERIFY((modal = QApplication::activeModalWidget()) != nullptr);
        auto* page = dynamic_cast<launcher::FrmBlab*>(modal);
        QVERIFY(page != nullptr);
        QCOMPARE(page->windowTitle(), QString("Korvo's Vorpa"));
        QCOMPARE(page->parentWidget(), &owner);
        QVERIFY(!page->findChild<QLabel*>("pb_ScreenDump")->pixmap().isNull());
        QCOMPARE(page->findChild<QLabel*>("lb_Install")->text(),
                 QString("Korvo's Vorpa has not been installed."));
        QCOMPARE(page->findChild<QLabel*>("lbl_Story")->text(), QString("A story."));
        pageWindow = static_cast<korvo::WindowId>(page->winId());
        QVERIFY(finder.IsWindow(pageWindow));
        // Owned by the main window, it is no game to wait for.
        QCOMPARE(finder.FindWindowByTitle("korvo's", "help"), korvo::WindowId(0));
        page->findChild<QPushButton*>("cmd_Close")->click();
    });
    dialogs.ShowGameInfo({"Korvo's Vorpa", picture.toStdString(),
                          "Korvo's Vorpa has not been installed.", "A story."});
    QVERIFY(pageWindow != 0);
    // Closed, it is gone from the display, not only hidden.
    QTRY_VERIFY(!finder.IsWindow(pageWindow));
    QVERIFY(owner.findChild<QDialog*>() == nullptr);
}

void OnlineDialogsTest::aboutBoxIsGoneOnceClosed() {
    QTemporaryDir dir;
    korvo::XWindowFinder finder;
    QWidget owner;
    owner.setWindowTitle("Game Control Panel");
    owner.show();
    fakes::FakeComponentInstaller installer;
    fakes::FakeHttpClient http;
    const launcher::OnlineSetup online{dir.path().toStdString() + "/", installer, http};
    launcher::OnlineDialogs dialogs(online);
    dialogs.setOwner(&owner);

    korvo::WindowId aboutWindow = 0;
    QTimer::singleShot(0, &owner, [&] {
        QWidget* modal = nullptr;
        const auto closeAnyway = qScopeGuard([&] {
            if (modal != nullptr) {
                modal->close();
            }
        });
        QTRY_VERIFY((modal = QApplication::activeModalWidget()) != nullptr);
        QCOMPARE(modal->windowTitle(), QString("About Korvo's Control Panel"));
        QCOMPARE(modal->parentWidget(), &owner);
        aboutWindow = static_cast<korvo::WindowId>(modal->winId());
        QVERIFY(finder.IsWindow(aboutWindow));
        QCOMPARE(finder.FindWindowByTitle("korvo's", "help"), korvo::WindowId(0));
        modal->findChild<QPushButton*>("cmdOK")->click();
    });
    dialogs.ShowAbout();
    QVERIFY(aboutWindow != 0);
    QTRY_VERIFY(!finder.IsWindow(aboutWindow));
    QVERIFY(owner.findChild<QDialog*>() == nullptr);
}

QTEST_MAIN(OnlineDialogsTest)
#include "OnlineDialogsTest.moc"
