#include "FieldReader.h"

#include <QTest>

using korvo::FieldReader;

class FieldReaderTest : public QObject {
    Q_OBJECT

private slots:
    void readIntegerRefusesWhatIsNoSixteenBitWholeNumber() {
        // The fuzzer's find: a number beyond every integer type was converted to one before
        // its range was checked.
        FieldReader reader("\"2244444444444444444444444444\",2.2e93,-1e300,32768,-32769,1.5,x,"
                           "-32768,32767,7.0");
        for (int field = 0; field < 7; ++field) {
            QVERIFY_THROWS_EXCEPTION(FieldReader::Error, reader.readInteger());
        }
        QCOMPARE(reader.readInteger(), -32768);
        QCOMPARE(reader.readInteger(), 32767);
        QCOMPARE(reader.readInteger(), 7);
        QVERIFY(reader.atEnd());
    }
};

QTEST_GUILESS_MAIN(FieldReaderTest)
#include "FieldReaderTest.moc"
