// The new-releases list: how the server's text becomes lines and component files, and what the
// "Add" button says when nothing can be added.
#include <QtTest>

#include "NewReleases.h"
#include "PlatformFakes.h"

#include <string>
#include <vector>

using launcher::NewRelease;
using Releases = std::vector<NewRelease>;

Q_DECLARE_METATYPE(Releases)

namespace {

std::string records(int first, int count) {
    std::string text;
    for (int i = first; i < first + count; ++i) {
        text += "NAME:Game " + std::to_string(i) + ",FILE:g" + std::to_string(i) + ".cmp\n";
    }
    return text;
}

Releases games(int first, int count) {
    Releases expected;
    for (int i = first; i < first + count; ++i) {
        expected.push_back({"Game " + std::to_string(i), "g" + std::to_string(i) + ".cmp"});
    }
    return expected;
}

} // namespace

class NewReleasesTest : public QObject {
    Q_OBJECT

    fakes::FakeMessages m_messages;

private slots:
    void init() {
        m_messages = {};
        korvo::setMessages(&m_messages);
    }
    void cleanup() { korvo::setMessages(nullptr); }

    void parse_takesTheRecordsByTheKeywordRules_data();
    void parse_takesTheRecordsByTheKeywordRules();
    void parse_refusesFileNamesThatLeaveTheComponentsFolder_data();
    void parse_refusesFileNamesThatLeaveTheComponentsFolder();
    void parse_takesAtMostTwentyOneGames();

    void list_waitsForItsTextAndThenShowsTheGames();
    void list_readsNamesAsSingleByteText();
    void add_refusesWithoutAGameAndGivesTheChosenFile();
};

void NewReleasesTest::parse_takesTheRecordsByTheKeywordRules_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<Releases>("expected");
    const Releases zeltrix{{"Korvo's Zeltrix", "korvo002.cmp"}};
    QTest::newRow("upper-case keywords")
        << QByteArray("NAME:Korvo's Zeltrix,FILE:korvo002.cmp\n") << zeltrix;
    QTest::newRow("lower-case keywords")
        << QByteArray("name:Korvo's Zeltrix,file:korvo002.cmp\n") << zeltrix;
    QTest::newRow("mixed-case keywords")
        << QByteArray("Name:Korvo's Zeltrix,fIlE:korvo002.cmp\n") << zeltrix;
    QTest::newRow("names keep their case") << QByteArray("NAME:kORVO's zeltriX,FILE:Korvo002.CMP\n")
                                           << Releases{{"kORVO's zeltriX", "Korvo002.CMP"}};
    QTest::newRow("blanks are kept")
        << QByteArray("NAME: A ,FILE: a.cmp \n") << Releases{{" A ", " a.cmp "}};
    QTest::newRow("two records in order") << QByteArray("NAME:A,FILE:a.cmp\nNAME:B,FILE:b.cmp\n")
                                          << Releases{{"A", "a.cmp"}, {"B", "b.cmp"}};
    QTest::newRow("text around the records is ignored")
        << QByteArray("New games this month!\nNAME:A,FILE:a.cmp\n-- the end --")
        << Releases{{"A", "a.cmp"}};
    QTest::newRow("FILE: need not follow the comma")
        << QByteArray("NAME:A, new! FILE:a.cmp\n") << Releases{{"A", "a.cmp"}};
    QTest::newRow("empty body") << QByteArray() << Releases{};
    QTest::newRow("an error page")
        << QByteArray("<html><body>Not Found</body></html>\n") << Releases{};
    QTest::newRow("no comma after the last record")
        << QByteArray("NAME:A,FILE:a.cmp\nNAME:B FILE:b.cmp\n") << Releases{{"A", "a.cmp"}};
    QTest::newRow("no line feed after the last record")
        << QByteArray("NAME:A,FILE:a.cmp\nNAME:B,FILE:b.cmp") << Releases{{"A", "a.cmp"}};
    QTest::newRow("FILE: on the next line")
        << QByteArray("NAME:A,\nFILE:a.cmp\nNAME:B,FILE:b.cmp\n") << Releases{{"B", "b.cmp"}};
    QTest::newRow("no FILE: at all")
        << QByteArray("NAME:A,a.cmp\nNAME:B,FILE:b.cmp\n") << Releases{{"B", "b.cmp"}};
    QTest::newRow("carriage returns stay in the file name, which is refused")
        << QByteArray("NAME:A,FILE:a.cmp\r\n") << Releases{};
}

void NewReleasesTest::parse_takesTheRecordsByTheKeywordRules() {
    QFETCH(QByteArray, text);
    QFETCH(Releases, expected);
    QCOMPARE(launcher::ParseNewReleases(text.toStdString()), expected);
}

void NewReleasesTest::parse_refusesFileNamesThatLeaveTheComponentsFolder_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("parent folder") << QByteArray("../korvo002.cmp");
    QTest::newRow("two dots anywhere") << QByteArray("korvo..cmp");
    QTest::newRow("only two dots") << QByteArray("..");
    QTest::newRow("absolute path") << QByteArray("/etc/passwd");
    QTest::newRow("sub-folder") << QByteArray("games/korvo002.cmp");
    QTest::newRow("backslash") << QByteArray("..\\..\\korvo002.cmp");
    QTest::newRow("empty") << QByteArray("");
    QTest::newRow("tab") << QByteArray("korvo\t002.cmp");
    QTest::newRow("nul") << QByteArray("korvo\0002.cmp", 11);
    QTest::newRow("delete") << QByteArray("korvo\x7f.cmp");
}

void NewReleasesTest::parse_refusesFileNamesThatLeaveTheComponentsFolder() {
    QFETCH(QByteArray, file);
    const std::string hostile = "NAME:Bad," + std::string("FILE:") + file.toStdString() + "\n";
    const std::string text = hostile + "NAME:Good,FILE:good.cmp\n" + hostile;
    QCOMPARE(launcher::ParseNewReleases(text), (Releases{{"Good", "good.cmp"}}));
    QVERIFY(!launcher::IsSafeComponentName(file.toStdString()));
}

void NewReleasesTest::parse_takesAtMostTwentyOneGames() {
    QCOMPARE(launcher::ParseNewReleases(records(1, 25)), games(1, 21));
    // Refused records take no place in the list.
    const std::string refused = "NAME:Bad,FILE:../bad.cmp\n";
    QCOMPARE(launcher::ParseNewReleases(refused + refused + records(1, 22)), games(1, 21));
}

void NewReleasesTest::list_waitsForItsTextAndThenShowsTheGames() {
    launcher::NewGamesList list;
    list.Form_Load();
    QCOMPARE(list.lst_Games, std::vector<std::string>{"Loading list. Please wait..."});
    QVERIFY(!list.lst_Games_Enabled);
    QVERIFY(!list.cmd_Download_Enabled);

    list.LoadTheList(records(1, 3));
    QCOMPARE(list.lst_Games, (std::vector<std::string>{"Game 1", "Game 2", "Game 3"}));
    QCOMPARE(list.GameFiles[2], std::string("g3.cmp"));
    QVERIFY(list.lst_Games_Enabled);
    QVERIFY(list.cmd_Download_Enabled);

    // A second load replaces the first: lines and files still line up.
    list.LoadTheList(records(7, 1));
    QCOMPARE(list.lst_Games, std::vector<std::string>{"Game 7"});
    QCOMPARE(list.GameFiles[0], std::string("g7.cmp"));
    QCOMPARE(list.GameFiles[1], std::string());
}

void NewReleasesTest::list_readsNamesAsSingleByteText() {
    launcher::NewGamesList list;
    list.LoadTheList("NAME:Korvo's Caf\xe9,FILE:korvo011.cmp\n");
    QCOMPARE(list.lst_Games, std::vector<std::string>{"Korvo's Caf\u00e9"});
}

void NewReleasesTest::add_refusesWithoutAGameAndGivesTheChosenFile() {
    launcher::NewGamesList list;
    QCOMPARE(list.cmd_Download_Click(-1), std::nullopt);
    QCOMPARE(m_messages.texts(), std::vector<std::string>{"No new games to add."});
    QCOMPARE(m_messages.shown.back().icon, korvo::MessageIcon::Information);

    list.LoadTheList("NAME:A,FILE:a.cmp\nNAME:B,FILE:b.cmp\n");
    QCOMPARE(list.cmd_Download_Click(-1), std::nullopt);
    QCOMPARE(m_messages.shown.back().text, std::string("Please select a game from the list."));
    QCOMPARE(m_messages.shown.back().icon, korvo::MessageIcon::Exclamation);

    QCOMPARE(list.cmd_Download_Click(1), std::optional<std::string>("b.cmp"));
    QCOMPARE(m_messages.shown.size(), std::size_t{2});
}

QTEST_GUILESS_MAIN(NewReleasesTest)
#include "NewReleasesTest.moc"
