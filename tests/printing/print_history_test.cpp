// The print history: its file, appends that survive crashes, the filter, and
// what the print run writes into it for sent and refused jobs.
#include "print_fixtures.h"
#include "printing/print_history.h"
#include "printing/print_run.h"
#include "support/fake_printer_platform.h"
#include "support/gui_application.h"
#include "support/scripted_answerer.h"
#include "support/small_tmpfs.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QFile>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

using print_fixtures::Issue_For;
using printing::History_Entry;

namespace {

History_Entry Entry(const QString& time, const QString& number, const QString& name)
{
    History_Entry e;
    e.time = time;
    e.product_no = number;
    e.product_name = name;
    e.layout = QStringLiteral("標準01 65x45");
    e.copies = QStringLiteral("5");
    e.printer = QStringLiteral("Zebra");
    e.base = QStringLiteral("2024/03/05 09:00");
    e.date_line = QStringLiteral("消費期限:2024年03月08日");
    e.result = printing::kHistorySent;
    return e;
}

QStringList Times(const std::vector<History_Entry>& entries)
{
    QStringList times;
    for (const History_Entry& e : entries)
        times << e.time;
    return times;
}

TEST(Print_History, AppendsCp932LinesAfterAVersionLineAndReadsThemNewestFirst)
{
    test_support::Temp_Folder data;
    EXPECT_EQ(printing::Read_History(data.Data_Folder())->Size(), 0);  // no file yet: no jobs
    History_Entry first = Entry("2024/03/05 09:00:01", "0001", "苺大福");
    first.reason = QStringLiteral("タブ\tも改行\r\nも消える");
    ASSERT_TRUE(printing::Append_History(data.Data_Folder(), first).Is_Done());
    const History_Entry second = Entry("2024/03/05 10:00:00", "0002", "柏餅");
    ASSERT_TRUE(printing::Append_History(data.Data_Folder(), second).Is_Done());

    EXPECT_EQ(data.Read(printing::kHistoryFileName),
              test_support::Cp932_Lines({"2.00",
                                         "2024/03/05 09:00:01\t0001\t苺大福\t標準01 65x45\t5\tZebra\t2024/03/05 "
                                         "09:00\t消費期限:2024年03月08日\t送信\tタブも改行も消える\t",
                                         printing::History_Line(second)}));
    const std::vector<History_Entry> read = print_fixtures::History_Of(data.Data_Folder());
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0], second);
    EXPECT_EQ(read[1].reason, QStringLiteral("タブも改行も消える"));
}

// A job is recorded whatever its texts hold: a PDF under "~/café/" or a printer
// named with an emoji; what CP932 cannot hold is kept by its code point, and an
// "&" that would read as such stays itself.
TEST(Print_History, CharactersWithoutCp932FormAreRecordedAndReadBack)
{
    test_support::Temp_Folder data;
    History_Entry entry = Entry("2024/03/05 09:00:00", "0001", QStringLiteral("苺大福"));
    entry.file = QStringLiteral("/home/shop/café/ラベル 〜 &#233; &amp; &#x;.pdf");
    entry.printer = QStringLiteral("Zebra 😀");
    ASSERT_TRUE(printing::Append_History(data.Data_Folder(), entry).Is_Done());
    const QByteArray file = data.Read(printing::kHistoryFileName);
    EXPECT_TRUE(file.contains("caf&#233;/")) << file.toStdString();
    EXPECT_TRUE(file.contains("Zebra &#128512;\t")) << file.toStdString();
    const std::vector<History_Entry> read = print_fixtures::History_Of(data.Data_Folder());
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0], entry);
}

TEST(Print_History, AHistoryThatCannotBeReadIsNoneAndAMissingOneIsEmpty)
{
    test_support::Temp_Folder data;
    EXPECT_EQ(printing::Read_History(data.Data_Folder())->Size(), 0);
    QDir().mkpath(data.File(printing::kHistoryFileName));
    EXPECT_FALSE(printing::Read_History(data.Data_Folder()));
}

// A history whose line ends became LF (an editor, dos2unix), or whose last
// line lost its line end, is read whole, and the next append keeps every line.
TEST(Print_History, LinesEndingInLfOrInNothingAreReadAndKeptByTheNextAppend)
{
    const History_Entry a = Entry("2024/03/05 09:00:00", "0001", "苺大福");
    const History_Entry b = Entry("2024/03/05 09:30:00", "0002", "柏餅");
    const QByteArray la = test_support::Cp932_Lines({printing::History_Line(a)}).chopped(2);
    const QByteArray lb = test_support::Cp932_Lines({printing::History_Line(b)}).chopped(2);
    const struct {
        const char* label;
        QByteArray file;
    } cases[] = {
        {"LF", "2.00\n" + la + "\n" + lb + "\n"},
        {"LF, no final line end", "2.00\n" + la + "\n" + lb},
        {"CR LF, no final line end", "2.00\r\n" + la + "\r\n" + lb},
        {"mixed", "2.00\r\n" + la + "\n" + lb + "\r\n"},
    };
    const History_Entry next = Entry("2024/03/05 10:00:00", "0003", "草餅");
    for (const auto& c : cases) {
        test_support::Temp_Folder data;
        data.Write(printing::kHistoryFileName, c.file);
        EXPECT_EQ(Times(print_fixtures::History_Of(data.Data_Folder())), (QStringList{b.time, a.time})) << c.label;
        ASSERT_TRUE(printing::Append_History(data.Data_Folder(), next).Is_Done()) << c.label;
        const QByteArray after = data.Read(printing::kHistoryFileName);
        EXPECT_TRUE(after.startsWith(c.file)) << c.label;
        EXPECT_TRUE(after.endsWith(test_support::Cp932_Lines({printing::History_Line(next)}))) << c.label;
        EXPECT_EQ(print_fixtures::History_Of(data.Data_Folder()), (std::vector<History_Entry>{next, b, a})) << c.label;
    }
}

// The lock file cannot be made: the message says why, not that another
// process uses the history.
TEST(Print_History, ALockThatCannotBeMadeSaysWhatFailed)
{
    for (const bool full : {true, false}) {
        test_support::Small_Tmpfs disk(256);
        if (!disk.Mounted())
            GTEST_SKIP() << disk.Why_Not().toStdString();
        const QString folder = disk.Path() + QLatin1Char('/');
        ASSERT_TRUE(printing::Append_History(folder, Entry("2024/03/05 09:00:00", "0001", "a")).Is_Done());
        if (full)
            disk.Fill();
        else
            ASSERT_TRUE(disk.Make_Read_Only());
        const store::Outcome outcome = printing::Append_History(folder, Entry("2024/03/05 09:00:01", "0001", "a"));
        EXPECT_FALSE(outcome.Is_Done());
        const QString text = outcome.lines.join(QLatin1Char('\n'));
        EXPECT_FALSE(text.contains(QStringLiteral("使用中"))) << text.toStdString();
        EXPECT_TRUE(text.contains(full ? QStringLiteral("空きがありません") : QStringLiteral("読み取り専用")))
            << text.toStdString();
        EXPECT_EQ(print_fixtures::History_Of(folder).size(), 1u);
    }
}

TEST(Print_History, MergingKeepsEveryJobOfBothOnceInOrderOfTime)
{
    const auto line = [](const char* time, const char* name) {
        return test_support::Cp932_Lines({printing::History_Line(Entry(time, "0001", QString::fromUtf8(name)))})
            .chopped(2);
    };
    const QByteArray early = line("2024/03/01 09:00:00", "a");
    const QByteArray twice = line("2024/03/02 09:00:00", "b");  // two jobs of the same second
    const QByteArray backed_up = line("2024/03/03 09:00:00", "c");
    const QByteArray later = line("2024/03/04 09:00:00", "d");
    const QByteArray current = "2.00\r\n" + early + "\r\n" + twice + "\r\n" + twice + "\r\n" + later + "\n";
    const QByteArray archived = "2.00\n" + early + "\n" + twice + "\n" + backed_up + "\n" + "torn";
    EXPECT_EQ(printing::Merge_History_Files(current, archived),
              "2.00\r\n" + early + "\r\n" + twice + "\r\n" + twice + "\r\n" + backed_up + "\r\ntorn\r\n" + later
                  + "\r\n");
    EXPECT_EQ(printing::Merge_History_Files({}, archived),
              "2.00\r\n" + early + "\r\n" + twice + "\r\n" + backed_up + "\r\ntorn\r\n");
}

// A process appending as fast as it can is killed with SIGKILL again and again,
// also while it holds the lock: every line before the tear stays whole, and
// appending goes on afterwards.
TEST(Print_History, KillingAnAppendingProcessLeavesEveryEarlierLineIntact)
{
    test_support::Temp_Folder data;
    const QString folder = data.Data_Folder();
    const History_Entry entry = Entry("2024/03/05 09:00:00", "0001",
                                      QStringLiteral("苺のショートケーキ　大").repeated(40));
    for (int round = 0; round < 5; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (;;)
                printing::Append_History(folder, entry);
        }
        usleep(150000 + round * 20000);
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);

        for (const History_Entry& e : print_fixtures::History_Of(folder))
            ASSERT_EQ(e, entry);
    }
    const int written_before = int(print_fixtures::History_Of(folder).size());
    EXPECT_GT(written_before, 0);
    ASSERT_TRUE(printing::Append_History(folder, entry).Is_Done());
    EXPECT_EQ(int(print_fixtures::History_Of(folder).size()), written_before + 1);
    EXPECT_TRUE(data.Read(printing::kHistoryFileName).startsWith("2.00\r\n"));
    EXPECT_TRUE(data.Read(printing::kHistoryFileName).endsWith("\r\n"));
}

TEST(Print_History, FiltersByProductNumberNameWordsAndDays)
{
    test_support::Temp_Folder data;
    for (const History_Entry& e :
         {Entry("2024/03/04 12:00:00", "0001", "苺大福"), Entry("2024/03/05 00:00:00", "0012", "苺大福 こしあん"),
          Entry("2024/03/05 23:59:59", "0001", "苺大福 白あん"), Entry("2024/03/06 08:00:00", "0002", "柏餅 こしあん")})
        ASSERT_TRUE(printing::Append_History(data.Data_Folder(), e).Is_Done());
    const printing::History_Log log = printing::Read_History(data.Data_Folder()).value();
    struct Case {
        printing::History_Filter filter;
        std::vector<int> kept;
    };
    const std::vector<Case> cases = {
        {{}, {0, 1, 2, 3}},
        {{"1", "", {}, {}}, {1, 3}},
        {{"12", "", {}, {}}, {2}},
        {{"", "苺大福 あん", {}, {}}, {1, 2}},
        {{"", "こしあん　苺", {}, {}}, {2}},
        {{"", "", QDate(2024, 3, 5), QDate(2024, 3, 5)}, {1, 2}},
        {{"", "", QDate(2024, 3, 5), {}}, {0, 1, 2}},
        {{"0001", "苺", {}, QDate(2024, 3, 4)}, {3}},
        {{"9", "", {}, {}}, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(printing::Filter_History(log, c.filter), c.kept)
            << c.filter.product_no.toStdString() << " / " << c.filter.words.toStdString();
}

class Print_Run_History : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test_support::Ensure_Gui_Application(); }
    void SetUp() override { ASSERT_TRUE(print_fixtures::Prepare_Data_Folder(data.Data_Folder())); }

    printing::Print_Issues Run(const printing::Print_Issues& lines, printing::Print_Mode mode,
                               const QString& printer = "Zebra")
    {
        printing::Print_Run_Context context =
            print_fixtures::Context_For(data.Data_Folder(), print_fixtures::Settings_For(printer), printers, answerer);
        context.unrecorded_jobs = &unrecorded;
        return print_fixtures::Run_Issues(lines, mode, context);
    }
    std::vector<History_Entry> History() { return print_fixtures::History_Of(data.Data_Folder()); }

    test_support::Temp_Folder data;
    test_support::Fake_Printer_Platform printers{
        {{"Zebra", {QPageSize(QPageSize::A4)}}, {"Refuses", {QPageSize(QPageSize::A4)}, 0, 203, true, "用紙切れ"}}};
    test_support::Scripted_Answerer answerer;
    int unrecorded = 0;
};

TEST_F(Print_Run_History, EveryReservationLineIsRecordedSentOrRefusedWithTheReason)
{
    Run({Issue_For("1", 3), Issue_For("7", 1)}, printing::Print_Mode::Reservation);
    const std::vector<History_Entry> history = History();
    ASSERT_EQ(history.size(), 2u);
    const History_Entry& missing = history[0];
    EXPECT_EQ(missing.product_no, QStringLiteral("0007"));
    EXPECT_EQ(missing.result, printing::kHistoryRefused);
    EXPECT_EQ(missing.reason, QStringLiteral("登録番号:0007で指定されているレイアウトは存在しません"));
    const History_Entry& sent = history[1];
    EXPECT_EQ(sent.time, QStringLiteral("2024/03/05 09:30:15"));  // the run's clock
    EXPECT_EQ(sent.result, printing::kHistorySent);
    EXPECT_EQ(sent.reason, QString());
    EXPECT_EQ(sent.product_name, QStringLiteral("品名:苺のショートケーキ"));
    EXPECT_EQ(sent.layout, print_fixtures::kLayout);
    EXPECT_EQ(sent.copies, QStringLiteral("3"));
    EXPECT_EQ(sent.printer, QStringLiteral("Zebra"));
    EXPECT_EQ(sent.base, QStringLiteral("2024/03/05 09:00"));
    EXPECT_EQ(sent.date_line, QStringLiteral("消費期限:2024年03月08日"));
    EXPECT_EQ(sent.file, QString());
}

TEST_F(Print_Run_History, ImmediateRunsRecordTheJobAfterItIsSentOrRefused)
{
    Run({Issue_For("2", 1)}, printing::Print_Mode::Immediate);
    Run({Issue_For("2", 1)}, printing::Print_Mode::Immediate, "Refuses");
    Run({Issue_For("2", 1)}, printing::Print_Mode::Immediate, "Nobody");
    const std::vector<History_Entry> history = History();
    ASSERT_EQ(history.size(), 3u);
    EXPECT_EQ(history[2].result, printing::kHistorySent);
    EXPECT_EQ(history[2].product_name, QStringLiteral("品名:苺大福"));
    EXPECT_EQ(history[1].result, printing::kHistoryRefused);
    EXPECT_TRUE(history[1].reason.startsWith(QStringLiteral("印刷データを送信できませんでした")));
    EXPECT_TRUE(history[1].reason.contains(QStringLiteral("用紙切れ")));
    EXPECT_EQ(history[0].reason, QStringLiteral("プリンタが見つかりません"));
    EXPECT_EQ(history[0].printer, QStringLiteral("Nobody"));
}

TEST_F(Print_Run_History, AHistoryThatCannotBeWrittenIsToldAfterThePrint)
{
    QDir().mkpath(data.File(printing::kHistoryFileName));  // a folder in the file's place
    Run({Issue_For("1", 1)}, printing::Print_Mode::Immediate);
    EXPECT_EQ(printers.sent.size(), 1u);
    EXPECT_TRUE(answerer.Lines1().contains(QStringLiteral("発行履歴に記録できませんでした")));
    EXPECT_EQ(unrecorded, 1);
}

}  // namespace
