#include "ChildPrograms.h"

#include <QtTest>

#include <optional>

#include <csignal>
#include <unistd.h>

// Real children, watched through their process handles.
class ChildProgramsTest : public QObject {
    Q_OBJECT
private slots:
    void reportsHowTheChildEnded_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<bool>("signalled");
        QTest::addColumn<int>("code");
        QTest::newRow("installed") << "exit 0" << false << 0;
        QTest::newRow("cancelled") << "exit 2" << false << 2;
        QTest::newRow("killed") << "kill -9 $$" << true << SIGKILL;
        // Nothing is decided by the time the program takes to show up or to end.
        QTest::newRow("late") << "sleep 3; exit 0" << false << 0;
    }
    void reportsHowTheChildEnded() {
        QFETCH(QString, script);
        korvo::ChildPrograms programs;
        std::optional<korvo::ExitStatus> ended;
        const long long pid =
            programs.start("/bin/sh", {"-c", script.toStdString()},
                           [&ended](korvo::ExitStatus status) { ended = status; });
        QVERIFY(pid > 0);
        QVERIFY(!ended); // never from inside start
        QTRY_VERIFY_WITH_TIMEOUT(ended.has_value(), 10000);
        QTEST(ended->signalled, "signalled");
        QTEST(ended->code, "code");
        // Reaped: no zombie is left under that id.
        QCOMPARE(::kill(static_cast<pid_t>(pid), 0), -1);
    }

    void aProgramThatCannotRunIsNotStarted() {
        korvo::ChildPrograms programs;
        bool called = false;
        QCOMPARE(programs.start("/nonexistent/setup", {},
                                [&called](korvo::ExitStatus) { called = true; }),
                 0LL);
        QTest::qWait(50);
        QVERIFY(!called);
    }

    // Leaving the launcher does not end what it started.
    void childrenOutliveTheirStarter() {
        long long pid = 0;
        {
            korvo::ChildPrograms programs;
            pid = programs.start("/bin/sleep", {"5"}, [](korvo::ExitStatus) {});
            QVERIFY(pid > 0);
        }
        QTest::qWait(100);
        QCOMPARE(::kill(static_cast<pid_t>(pid), 0), 0);
        ::kill(static_cast<pid_t>(pid), SIGKILL);
    }
};

QTEST_GUILESS_MAIN(ChildProgramsTest)
#include "ChildProgramsTest.moc"
