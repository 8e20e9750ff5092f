#include "NiceBox.h"
#include "DataPath.h"
#include "Fakes.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

class NiceBoxTest : public QObject {
    Q_OBJECT
    fakes::FakePlayer m_player;
    korvo::SoundBoard m_sound{m_player};

private slots:
    // The label holds every line of the message, wrapped ones too, above the button, and the
    // window holds the button.
    void layoutGrowsWithTheLinesOfTheMessage() {
        zeltrix::FrmNiceBox box(m_sound);
        const auto* label = box.findChild<QLabel*>("lab_Message");
        const auto* ok = box.findChild<QPushButton*>("cmd_OK");
        for (const char* message :
             {"Game Over", "Hahaha...\n\nScore one for the Comeqs!",
              "A long message without any line feed wraps at the width of the label and the window "
              "grows to hold every line."}) {
            box.setMessage(message);
            QVERIFY2(label->height() >= label->heightForWidth(label->width()), message);
            QVERIFY(ok->y() > label->geometry().bottom() && ok->geometry().bottom() < box.height());
        }
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
