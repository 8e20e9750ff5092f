#include "NiceBox.h"
#include "DataPath.h"
#include "Fakes.h"
#include "Twips.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using korvo::toPixels;

class NiceBoxTest : public QObject {
    Q_OBJECT
    fakes::FakePlayer m_player;
    korvo::SoundBoard m_sound{m_player};

private slots:
    void layoutGrowsWithTheLinesOfTheMessage_data() {
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("minLines");
        QTest::addColumn<int>("maxLines");
        QTest::newRow("one line") << "Game Over" << 1 << 1;
        QTest::newRow("empty line between") << "Hahaha...\n\nScore one for the Comeqs!" << 3 << 3;
        QTest::newRow("long line wraps")
            << "A long message without any line feed wraps at the width "
               "of the label and the window grows to hold every line."
            << 3 << 8;
    }

    // The window's outer height is the label's plus 1400 and the button stands 200 below the label,
    // whose lines are 270 high and which keeps its width.
    void layoutGrowsWithTheLinesOfTheMessage() {
        QFETCH(QString, message);
        QFETCH(int, minLines);
        QFETCH(int, maxLines);
        zeltrix::FrmNiceBox box(m_sound);
        box.setMessage(message);
        const auto* label = box.findChild<QLabel*>("lab_Message");
        const int height = box.labelHeightFor(message);
        QVERIFY2(height % 270 == 0 && height / 270 >= minLines && height / 270 <= maxLines,
                 qPrintable(QString::number(height)));
        QCOMPARE(label->geometry(),
                 QRect(toPixels(315), toPixels(225), toPixels(3285), toPixels(height)));
        QCOMPARE(box.findChild<QPushButton*>("cmd_OK")->y(), toPixels(225 + height + 200));
        QCOMPARE(box.height(), toPixels(height + 1400 - 420)); // the outer height less the frame
    }

    // Giving the keyboard back to the game afterwards is the platform's modal loop's: see
    // QtMessagesTest, and the end-to-end game test, which plays on after each box.
    void opensWithABeepAndClosesOnlyByOk() {
        zeltrix::NiceBox messages(m_sound);
        QString shown;
        bool openAfterEscape = false;
        bool closedByEnter = false;
        QTimer::singleShot(100, [&] {
            auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(box);
            shown = box->findChild<QLabel*>("lab_Message")->text();
            QTest::keyClick(box, Qt::Key_Escape);
            openAfterEscape = box->isVisible();
            QTest::keyClick(box, Qt::Key_Return);
            closedByEnter = !box->isVisible();
            box->reject(); // never leave the test hanging
        });
        messages.ShowNiceMessage("Level  1\nReady or Not!");
        QCOMPARE(shown, QString("Level  1\nReady or Not!"));
        QVERIFY(openAfterEscape && closedByEnter);
        QCOMPARE(m_player.fileName, korvo::dataPath("beep.wav"));
    }
};

QTEST_MAIN(NiceBoxTest)
#include "NiceBoxTest.moc"
