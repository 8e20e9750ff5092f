#include "Captions.h"

#include <QTest>

class CaptionsTest : public QObject {
    Q_OBJECT

private slots:
    void mainCaptionsCarryTitleAndVersion() {
        zeltrix::Field field;
        zeltrix::SetMainCaptions(field);
        QCOMPARE(field.caption, "Korvo's Zeltrix  V2.1.0");
        QCOMPARE(field.m_AboutCaption, "&About Korvo's Zeltrix");
    }
};

QTEST_GUILESS_MAIN(CaptionsTest)
#include "CaptionsTest.moc"
