#include "store/data_folder.h"

#include "support/temp_folder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace store;
using test_support::Temp_Folder;

TEST(Resolve_Data_Folder, MapsEveryLocationName)
{
    Folder_Context context;
    context.application_folder = QStringLiteral("/opt/app");
    context.desktop_folder = QStringLiteral("/home/u/Desktop");
    context.removable_drive_root = QStringLiteral("/media/u/USB");
    const struct {
        QString location;
        QString folder;
    } cases[] = {
        {QStringLiteral("ぱるべりなUSBメモリ"), QStringLiteral("/media/u/USB/")},
        {QStringLiteral("ぱるべりなインストールフォルダ"), QStringLiteral("/opt/app/")},
        {QStringLiteral("デスクトップ"), QStringLiteral("/home/u/Desktop/")},
        {QStringLiteral("Cドライブ (ルート)"), QStringLiteral("/mnt/c/")},
        {QStringLiteral("Dドライブ (ルート)"), QStringLiteral("/mnt/d/")},
        {QStringLiteral("Eドライブ (ルート)"), QStringLiteral("/mnt/e/")},
        {QStringLiteral("Fドライブ (ルート)"), QStringLiteral("/mnt/f/")},
        {QStringLiteral("Gドライブ (ルート)"), QString()},
        {QString(), QString()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Resolve_Data_Folder(c.location, context), c.folder) << c.location.toStdString();

    context.removable_drive_root.clear();
    EXPECT_EQ(Resolve_Data_Folder(QStringLiteral("ぱるべりなUSBメモリ"), context), QStringLiteral("/opt/app/"));
}

namespace {

Outcome Append_Line(const QString& folder, const QString& line)
{
    return Rewrite_Via_Temp(folder, QStringLiteral("f.tsv"), QStringLiteral("f.tmp"),
                            [&](const Text_File& old_file, QStringList& out) {
                                out = old_file.lines;
                                out << line;
                                return true;
                            });
}

}  // namespace

TEST(Rewrite_Via_Temp, ReplacesTheFileAndLeavesNoTemporaryFile)
{
    Temp_Folder dir;
    dir.Write("f.tsv", "2.00\r\n");
    EXPECT_EQ(Append_Line(dir.Data_Folder(), QStringLiteral("商品")).kind, Outcome::Kind::Done);
    EXPECT_EQ(dir.Read("f.tsv"), test_support::Cp932_Lines({"2.00", QStringLiteral("商品")}));
    EXPECT_FALSE(QFile::exists(dir.File("f.tmp")));
}

TEST(Rewrite_Via_Temp, DeclinedOrUnencodableRewritesChangeNothing)
{
    Temp_Folder dir;
    dir.Write("f.tsv", "2.00\r\nkeep\r\n");
    dir.Write("f.tmp", "left over");
    const Outcome declined = Rewrite_Via_Temp(dir.Data_Folder(), QStringLiteral("f.tsv"), QStringLiteral("f.tmp"),
                                                     [](const Text_File&, QStringList& out) {
                                                         out << QStringLiteral("half");
                                                         return false;
                                                     });
    EXPECT_EQ(declined.kind, Outcome::Kind::Declined);
    EXPECT_FALSE(QFile::exists(dir.File("f.tmp")));

    const Outcome refused = Append_Line(dir.Data_Folder(), QStringLiteral("𠮷野家"));
    EXPECT_EQ(refused.kind, Outcome::Kind::Failed);
    EXPECT_TRUE(refused.Text().contains(QStringLiteral("𠮷")));
    EXPECT_EQ(dir.Read("f.tsv"), QByteArray("2.00\r\nkeep\r\n"));
}

TEST(Rewrite_Via_Temp, UnwritableFolderReportsAndKeepsTheFile)
{
    Temp_Folder dir;
    dir.Write("f.tsv", "2.00\r\n");
    // A folder path below a plain file cannot be written, not even by root.
    const Outcome result = Append_Line(dir.File("f.tsv") + QStringLiteral("/"), QStringLiteral("x"));
    EXPECT_EQ(result.kind, Outcome::Kind::Failed);
    EXPECT_FALSE(result.Text().isEmpty());
    EXPECT_EQ(dir.Read("f.tsv"), QByteArray("2.00\r\n"));
}

TEST(Rewrite_Via_Temp, FileThatExistsButCannotBeReadIsNotRewritten)
{
    for (const test_support::Unreadable kind : test_support::kUnreadableKinds) {
        Temp_Folder dir;
        dir.Write("f.tsv", "2.00\r\nline\r\n");
        if (!test_support::Make_Unreadable(dir.File("f.tsv"), kind))
            continue;  // root reads every file
        const QByteArray before = test_support::State_Of(dir.File("f.tsv"));
        bool step_ran = false;
        const Outcome result = Rewrite_Via_Temp(dir.Data_Folder(), QStringLiteral("f.tsv"), QStringLiteral("f.tmp"),
                                                [&](const Text_File&, QStringList& out) {
                                                    step_ran = true;
                                                    out << QStringLiteral("2.00");
                                                    return true;
                                                });
        EXPECT_EQ(result.kind, Outcome::Kind::Failed) << test_support::Name_Of(kind);
        EXPECT_FALSE(step_ran) << test_support::Name_Of(kind);
        EXPECT_TRUE(result.Text().startsWith(dir.File("f.tsv") + QStringLiteral(" を読み込めません: ")))
            << result.Text().toStdString();
        EXPECT_EQ(test_support::State_Of(dir.File("f.tsv")), before) << test_support::Name_Of(kind);
        EXPECT_FALSE(QFile::exists(dir.File("f.tmp")));
    }
    // A missing file is no error: the rewrite creates it.
    Temp_Folder dir;
    EXPECT_EQ(Append_Line(dir.Data_Folder(), QStringLiteral("first")).kind, Outcome::Kind::Done);
}

// A writer killed at any moment leaves the previous complete file: the real file
// is only ever replaced by a rename of a fully written, synced twin.
TEST(Rewrite_Via_Temp, KilledWriterLeavesAWholeFile)
{
    Temp_Folder dir;
    const QString big(4000, QChar(0x3042));
    QStringList lines{QStringLiteral("2.00")};
    for (int i = 0; i < 40; ++i)
        lines << big;
    ASSERT_TRUE(Write_Text_Lines(dir.File("f.tsv"), lines).ok());
    const QByteArray original = dir.Read("f.tsv");

    for (int round = 0; round < 12; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (;;) {
                Rewrite_Via_Temp(dir.Data_Folder(), QStringLiteral("f.tsv"), QStringLiteral("f.tmp"),
                                 [](const Text_File& old_file, QStringList& out) {
                                     out = old_file.lines;  // same content, rewritten again and again
                                     return true;
                                 });
            }
        }
        usleep(3000 + round * 1700);
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_EQ(dir.Read("f.tsv"), original) << "round " << round;
    }
}
