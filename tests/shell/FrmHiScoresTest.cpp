// The hall-of-fame window: taking the name of a new entry, only showing the table otherwise,
// and the anthem and the marching robot while it is open.
#include <QtTest>

#include "DataPath.h"
#include "Fakes.h"
#include "FrmHiScores.h"

#include <QLineEdit>

using zeltrix::HiScores;

class FrmHiScoresTest : public QObject {
    Q_OBJECT

private slots:
    void takesTheNameOfANewEntryOnlyWhileTheRobotMarches_data() {
        QTest::addColumn<int>("newRow"); // -1: opened from the menu
        QTest::addColumn<QString>("name");
        QTest::newRow("new entry") << 1 << "Al 'Ace', Jr";
        QTest::newRow("from the menu") << -1 << "";
    }

    void takesTheNameOfANewEntryOnlyWhileTheRobotMarches() {
        QFETCH(int, newRow);
        HiScores table{{{"Zara", 12500}, {"", 9000}, {"Tom", 8200}}};
        fakes::FakePlayer player;
        fakes::FakeSprite sprite;
        korvo::SoundBoard sound{player};
        {
            zeltrix::FrmHiScores form(table, sound, sprite);
            form.showTable(newRow);
            form.show();
            for (int i = 0; i < 3; ++i) {
                QCOMPARE(form.findChild<QLineEdit*>(QString("t_Name%1").arg(i))->isEnabled(),
                         i == newRow);
                QCOMPARE(form.findChild<QLineEdit*>(QString("t_Score%1").arg(i))->focusPolicy(),
                         Qt::NoFocus);
            }
            QWidget* focus = form.focusWidget();
            QCOMPARE(focus->objectName(),
                     newRow < 0 ? QString("cmd_OK") : QString("t_Name%1").arg(newRow));
            QVERIFY(sprite.playing && sprite.target != nullptr);
            QCOMPARE(sprite.fileName, korvo::dataPath("mark time.spr"));
            QCOMPARE(player.fileName, korvo::dataPath("anthem1.mid"));

            QTest::keyClicks(focus, "Al \"Ace\", Jr");
            QTest::keyClick(focus, Qt::Key_Return);
            QVERIFY(!form.isVisible());
        }
        QCOMPARE(player.fileName, korvo::dataPath("")); // the anthem was cut off
        QVERIFY(!sprite.playing && sprite.target == nullptr);
        QTEST(QString::fromStdString(table[1].Name), "name");
        QCOMPARE(table[0].Name, std::string("Zara"));
        QCOMPARE(table[1].Score, 9000);
    }
};

QTEST_MAIN(FrmHiScoresTest)
#include "FrmHiScoresTest.moc"
