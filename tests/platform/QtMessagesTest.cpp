// The platform's message box on a private X server without a window manager, where nobody
// else hands the keyboard back to the window behind a closed box.
#include "QtMessages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

class QtMessagesTest : public QObject {
    Q_OBJECT
private slots:
    void windowBehindIsActiveAgainAfterTheBox() {
        QWidget window;
        window.setWindowTitle("Game Control Panel");
        window.resize(200, 100);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        korvo::QtMessages messages("Korvo Control Panel");
        QString title;
        QTimer::singleShot(100, &window, [&title] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            title = box->windowTitle();
            box->button(QMessageBox::Ok)->click(); // never leaves the test hanging
        });
        QVERIFY(messages.Show({"Installation complete.",
                               korvo::MessageIcon::Information,
                               korvo::MessageButtons::Ok,
                               {}}));
        QCOMPARE(title, QString("Korvo Control Panel"));
        QTRY_COMPARE(QApplication::activeWindow(), &window);
    }
};

QTEST_MAIN(QtMessagesTest)
#include "QtMessagesTest.moc"
