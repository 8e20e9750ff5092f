#include "FieldReader.h"

#include <QTest>

using korvo::FieldReader;

class FieldReaderTest : public QObject {
    Q_OBJECT

private slots:
    void readsFieldsByCommasQuotesAndLineEnds() {
        FieldReader reader(
            "  \"x, y\" ,  plain text  ,\"\"\r\n12,\"a\"tail,-3\nlast\rafter,\r\n\r\n");
        QCOMPARE(reader.readText(), std::string("x, y"));       // quotes keep commas and blanks
        QCOMPARE(reader.readText(), std::string("plain text")); // no surrounding blanks
        QCOMPARE(reader.readText(), std::string(""));
        QCOMPARE(reader.line(), 2); // CR LF is one line end
        QCOMPARE(reader.readInteger(), 12);
        QCOMPARE(reader.readText(), std::string("a")); // what follows the closing quote is dropped
        QCOMPARE(reader.readInteger(), -3);
        QCOMPARE(reader.line(), 3); // a lone LF ends a line
        QCOMPARE(reader.readText(), std::string("last"));
        QCOMPARE(reader.readText(), std::string("after")); // and so does a lone CR
        QVERIFY(reader.atEnd());                           // blank lines at the end are the end
        QVERIFY_THROWS_EXCEPTION(FieldReader::Error, reader.readText());
    }

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
