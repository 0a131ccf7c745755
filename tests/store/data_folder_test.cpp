#include "store/data_folder.h"
#include "store/file_lock.h"

#include "support/temp_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLockFile>
#include <QSysInfo>

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

// Written as it is read, block by block, a rewrite gives every kept line with
// its bytes and CR LF after it, and every new line in its place, however the
// blocks cut the lines: lines longer than a block, CR LF split between two
// blocks, bare line feeds, CR before CR LF, no line end at the end.
TEST(Line_Rewrite, KeepsDropsAndAddsLinesWhereverTheBlocksCutThem)
{
    Temp_Folder dir;
    QByteArray varied("2.00\r\n");
    for (int i = 0; i < 300; ++i)
        varied += QByteArray(i % 37, char('a' + i % 26)) + (i % 5 ? "\r\n" : i % 2 ? "\n" : "\r\r\n");
    varied += QByteArray(5000, 'x') + "\r\n\r\n\x82\xa0\r\nend\r";
    const QByteArray contents[] = {varied, "", "\n", "one", "a\r\nb\r\n", "\r\n\r\n"};
    for (const qsizetype block : {1, 2, 3, 5, 64, 1000, 4096, 1 << 20}) {
        for (const QByteArray& content : contents) {
            // Every third line dropped, a new line before every fourth, one at the end.
            QByteArray expected;
            qsizetype at = 0;
            for (const QByteArrayView line : Split_Raw_Lines(content)) {
                if (at % 4 == 2)
                    expected += "new\r\n";
                if (at++ % 3 != 1)
                    expected += line.toByteArray() + "\r\n";
            }
            expected += "last\r\n";

            dir.Write("f.tsv", content);
            {
                Line_Rewrite file(dir.File("f.tsv"), dir.File("f.tmp"), block);
                ASSERT_TRUE(file.Create_Twin().ok());
                at = 0;
                for (QByteArrayView line; file.Next(line);) {
                    if (at % 4 == 2)
                        file.Add_Line("new");
                    if (at++ % 3 != 1)
                        file.Keep();
                }
                file.Add_Line("last");
                ASSERT_TRUE(file.Replace().ok());
            }
            const std::string label = std::to_string(block) + " " + content.left(20).toStdString();
            EXPECT_EQ(dir.Read("f.tsv"), expected) << label;
            EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files), QStringList{"f.tsv"}) << label;
        }
    }
    // Left before it is put in place, a rewrite leaves the file as it was and no twin.
    dir.Write("f.tsv", varied);
    {
        Line_Rewrite file(dir.File("f.tsv"), dir.File("f.tmp"), 64);
        ASSERT_TRUE(file.Create_Twin().ok());
        for (QByteArrayView line; file.Next(line);)
            file.Keep();
    }
    EXPECT_EQ(dir.Read("f.tsv"), varied);
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files), QStringList{"f.tsv"});
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
    EXPECT_EQ(dir.Read("f.tmp"), QByteArray("left over"));  // another writer's twin is not ours to touch

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
}

// A data file that is gone (its drive taken away, the mount point left empty) is
// not created anew unless the caller says the file may be new.
TEST(Rewrite_Via_Temp, MissingFileIsRefusedUnlessItMayBeCreated)
{
    Temp_Folder dir;
    const Outcome refused = Append_Line(dir.Data_Folder(), QStringLiteral("first"));
    EXPECT_EQ(refused.kind, Outcome::Kind::Failed);
    EXPECT_EQ(refused.lines, Missing_File_Lines(dir.Data_Folder(), QStringLiteral("f.tsv")));
    EXPECT_EQ(refused.lines.value(0),
              QStringLiteral("データ保存先 %1 から f.tsv がなくなっています").arg(dir.Data_Folder()));
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    const QString gone = dir.File("gone") + QLatin1Char('/');
    EXPECT_EQ(Missing_File_Lines(gone, QStringLiteral("f.tsv")).value(0),
              QStringLiteral("データ保存先 %1 が見つかりません").arg(gone));

    const Outcome created = Rewrite_Via_Temp(
        dir.Data_Folder(), QStringLiteral("f.tsv"), QStringLiteral("f.tmp"),
        [](const Text_File& old_file, QStringList& out) {
            EXPECT_FALSE(old_file.opened);
            out << QStringLiteral("first");
            return true;
        },
        If_Missing::Create);
    EXPECT_EQ(created.kind, Outcome::Kind::Done);
    EXPECT_EQ(dir.Read("f.tsv"), QByteArray("first\r\n"));
}

// While another process holds a file, a rewrite waits for it and then says who
// holds it; the lock of a process that died holding it is taken over at once.
TEST(File_Lock, HeldLockNamesItsHolderAndADeadHoldersLockIsTakenOver)
{
    Temp_Folder dir;
    dir.Write("f.tsv", "2.00\r\n");
    QLockFile other(dir.File("f.tsv.lock"));
    ASSERT_TRUE(other.tryLock(0));
    const QString refused = File_Lock(dir.File("f.tsv")).Acquire(100);
    EXPECT_TRUE(
        refused.startsWith(QStringLiteral("f.tsv は他のぱるべりなが使用中です (ホスト %1、プロセス番号 %2、ユーザー ")
                               .arg(QSysInfo::machineHostName())
                               .arg(QCoreApplication::applicationPid())))
        << refused.toStdString();
    other.unlock();

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        QLockFile held(dir.File("f.tsv.lock"));
        held.tryLock(0);
        _exit(0);  // ends without releasing the lock
    }
    waitpid(child, nullptr, 0);
    ASSERT_TRUE(QFile::exists(dir.File("f.tsv.lock")));
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(Append_Line(dir.Data_Folder(), QStringLiteral("after")).kind, Outcome::Kind::Done);
    EXPECT_LT(timer.elapsed(), 2000);
    EXPECT_FALSE(QFile::exists(dir.File("f.tsv.lock")));
}

// Each writer has a twin of its own, named after its process; start-up removes
// the twins of processes that ended and leaves those of running ones.
TEST(File_Lock, StaleTwinsOfEndedProcessesAreRemoved)
{
    Temp_Folder dir;
    const QString host = QSysInfo::machineHostName();
    const QString own = Writer_Temp_Path(dir.File("f.tmp"));
    EXPECT_EQ(own, dir.File(QStringLiteral("f.%1@%2.tmp").arg(QCoreApplication::applicationPid()).arg(host)));
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        _exit(0);
    waitpid(child, nullptr, 0);
    const QString ended = QStringLiteral("f.%1@%2.tmp").arg(child).arg(host);
    for (const QString& name : {QFileInfo(own).fileName(), ended, QStringLiteral("f.tmp"),
                                QStringLiteral("f.1@another-host.tmp"), QStringLiteral("f.tsv")})
        dir.Write(name, "x");
    Remove_Stale_Temporaries(dir.Data_Folder());
    QStringList left = QDir(dir.Path()).entryList(QDir::Files);
    EXPECT_FALSE(left.contains(ended));
    EXPECT_EQ(left.size(), 4) << left.join(' ').toStdString();
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
