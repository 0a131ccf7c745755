#include "app/startup.h"

#include "layouts/default_layouts.h"
#include "products/default_data.h"
#include "products/product_file.h"
#include "support/small_tmpfs.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>

#include <sys/file.h>

#include <gtest/gtest.h>

using test_support::Temp_Folder;

namespace {

QMap<QString, QByteArray> Snapshot(const QString& folder)
{
    QMap<QString, QByteArray> files;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
        QFile file(QDir(folder).filePath(name));
        files[name] = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }
    return files;
}

QMap<QString, QByteArray> Snapshot(const Temp_Folder& dir)
{
    return Snapshot(dir.Path());
}

store::Folder_Context Context_For(const Temp_Folder& dir)
{
    store::Folder_Context context;
    context.application_folder = dir.Path();
    return context;
}

QString Row_Of(QChar key)
{
    const char16_t c = key.unicode();
    const struct {
        char16_t first, last;
        const char* row;
    } rows[] = {{u'ぁ', u'お', "あ"}, {u'か', u'ご', "か"}, {u'さ', u'ぞ', "さ"},
                {u'た', u'ど', "た"}, {u'な', u'の', "な"}, {u'は', u'ぽ', "は"},
                {u'ま', u'も', "ま"}, {u'ゃ', u'よ', "や"}, {u'ら', u'ろ', "ら"}};
    for (const auto& r : rows)
        if (c >= r.first && c <= r.last)
            return QString::fromUtf8(r.row);
    return QStringLiteral("英数");
}

}  // namespace

TEST(First_Start, FillsAnEmptyApplicationFolder)
{
    Temp_Folder dir;
    const app::Startup_Result result = app::Prepare_Data(Context_For(dir));
    EXPECT_TRUE(result.errors.isEmpty()) << result.errors.join('\n').toStdString();
    EXPECT_EQ(result.data_folder, dir.Data_Folder());

    EXPECT_EQ(dir.Read("user_v2.dat").count("\r\n"), 15);
    EXPECT_EQ(dir.Read(products::kProductFileName), QByteArray("2.00\r\n"));

    const store::Text_File strings = store::Read_Text_Lines(dir.File(products::kStringsFileName));
    ASSERT_EQ(strings.lines.size(), 11);
    EXPECT_EQ(strings.lines[0], QStringLiteral("品名の登録,,,,,"));
    EXPECT_EQ(strings.lines[9], QStringLiteral("表示価格の登録,円(税込),円＋税,￥０,,"));
    EXPECT_EQ(strings.lines[10], QStringLiteral("成分表タイトルの登録,栄養成分(1食分○g当たり),,,,"));

    const store::Text_File words = store::Read_Text_Lines(dir.File(products::kWordTableFileName));
    ASSERT_EQ(words.lines.size(), 1040);
    EXPECT_EQ(words.lines.first(), QStringLiteral("ＥＤ\tＥＤＴＡ－Ｎａ"));
    EXPECT_EQ(words.lines.last(), QStringLiteral("ろー\tローズマリー抽出物"));
    EXPECT_TRUE(words.lines.contains(QStringLiteral("ちあ\tチアミンナフタレン－1,5－ジスルホン酸塩\"")));
    QMap<QString, int> per_row;
    for (const QString& line : words.lines) {
        ASSERT_EQ(line.indexOf('\t'), 2) << line.toStdString();
        ++per_row[Row_Of(line.at(0))];
    }
    const QMap<QString, int> expected = {{"英数", 76}, {"あ", 148}, {"か", 209}, {"さ", 162}, {"た", 93},
                                         {"な", 33},   {"は", 193}, {"ま", 45},  {"や", 4},   {"ら", 77}};
    EXPECT_EQ(per_row, expected);

    for (const auto& layout : layouts::Default_Layouts())
        EXPECT_EQ(dir.Read(layout.name + ".lay").count("\r\n"), 152);
    for (const auto& layout : layouts::Own_Layouts())
        EXPECT_EQ(dir.Read(layout.name + ".lay").count("\r\n"), 152);
    EXPECT_EQ(Snapshot(dir).size(), 1 + 3 + 8 + 2);
}

TEST(First_Start, SecondStartChangesNothingAndOneDeletedFileComesBackAlone)
{
    Temp_Folder dir;
    app::Prepare_Data(Context_For(dir));
    dir.Write(QStringLiteral("わたしの.lay"), "user layout\r\n");
    dir.Write(products::kProductFileName, "2.00\r\n0001\tdamaged");
    const auto first = Snapshot(dir);

    app::Prepare_Data(Context_For(dir));
    EXPECT_EQ(Snapshot(dir), first);

    for (const QString& name :
         {products::kWordTableFileName, QStringLiteral("標準03 28x38 ﾜｸ無.lay"), QStringLiteral("user_v2.dat")}) {
        QFile::remove(dir.File(name));
        app::Prepare_Data(Context_For(dir));
        EXPECT_EQ(Snapshot(dir), first) << name.toStdString();
    }
}

TEST(First_Start, StagingFoldersOfAnInterruptedRestoreAreRemoved)
{
    Temp_Folder dir;
    QDir(dir.Path()).mkpath(QStringLiteral(".restore-Q1w2E3/.replaced"));
    dir.Write(QStringLiteral(".restore-Q1w2E3/pura00.bmp"), QByteArray(5000, 'p'));
    QDir(dir.Path()).mkdir(QStringLiteral(".restore-notes"));
    app::Prepare_Data(Context_For(dir));
    EXPECT_FALSE(QFileInfo::exists(dir.File(QStringLiteral(".restore-Q1w2E3"))));
    EXPECT_TRUE(QFileInfo::exists(dir.File(QStringLiteral(".restore-notes"))));
}

TEST(First_Start, EmptyFilesLeftByAnInterruptedStartGetTheirDefaults)
{
    Temp_Folder dir;
    app::Prepare_Data(Context_For(dir));
    const auto whole = Snapshot(dir);
    for (const QString& name : {products::kProductFileName, products::kStringsFileName, products::kWordTableFileName,
                                QStringLiteral("標準05 70x80.lay"), QStringLiteral("user_v2.dat")})
        dir.Write(name, QByteArray());
    const app::Startup_Result result = app::Prepare_Data(Context_For(dir));
    EXPECT_TRUE(result.errors.isEmpty()) << result.errors.join('\n').toStdString();
    EXPECT_EQ(Snapshot(dir), whole);
}

// On a real full file system every default file is written whole or not at all,
// and the next start with free space writes the missing ones.
TEST(First_Start, FullDiskLeavesNoEmptyFileAndTheNextStartCompletesTheDefaults)
{
    test_support::Small_Tmpfs disk(256);
    if (!disk.Mounted())
        GTEST_SKIP() << disk.Why_Not().toStdString();
    store::Folder_Context context;
    context.application_folder = disk.Path();
    disk.Fill();

    const app::Startup_Result full = app::Prepare_Data(context);
    EXPECT_FALSE(full.errors.isEmpty());
    auto left = Snapshot(disk.Path());
    left.remove(QStringLiteral("filler"));
    for (auto it = left.cbegin(); it != left.cend(); ++it) {
        EXPECT_FALSE(it.value().isEmpty()) << "empty " << it.key().toStdString();
        EXPECT_FALSE(it.key().endsWith(QStringLiteral(".tmp"))) << it.key().toStdString();
    }

    disk.Free();
    const app::Startup_Result next = app::Prepare_Data(context);
    EXPECT_TRUE(next.errors.isEmpty()) << next.errors.join('\n').toStdString();
    Temp_Folder reference;
    app::Prepare_Data(Context_For(reference));
    EXPECT_EQ(Snapshot(disk.Path()), Snapshot(reference));
}

TEST(First_Start, UnreachableDataFolderIsReportedByName)
{
    Temp_Folder dir;
    dir.Write("user_v2.dat",
              test_support::Cp932_Lines(
                  {"", "0000", "0", "0", QStringLiteral("しない"), QStringLiteral("Fドライブ (ルート)")}));
    store::Folder_Context context = Context_For(dir);
    context.drive_root_base = dir.File("no-such-mount") + "/";
    const app::Startup_Result result = app::Prepare_Data(context);
    ASSERT_EQ(result.errors.size(), 1);
    EXPECT_TRUE(result.errors[0].contains(dir.File("no-such-mount/f/"))) << result.errors[0].toStdString();
}

TEST(Lock_Refusal_Message, TellsASecondCopyFromAnUnwritableFolder)
{
    EXPECT_EQ(app::Lock_Refusal_Message(platform::Lock_Outcome::Other_Copy_Running, QStringLiteral("/opt/app")),
              QStringLiteral("このソフトウェアを複数起動することはできません。"));
    const QString unwritable = app::Lock_Refusal_Message(platform::Lock_Outcome::Folder_Not_Writable,
                                                         QStringLiteral("/usr/lib/paruberina"));
    EXPECT_TRUE(unwritable.contains(QStringLiteral("「/usr/lib/paruberina」に書き込めない")))
        << unwritable.toStdString();
}

TEST(First_Start, InstalledCopyGetsTheShippedPicturesOnceAndKeepsTheUsersOwn)
{
    Temp_Folder program;
    Temp_Folder user;
    program.Write("pura00.bmp", "BM shipped plastic");
    program.Write("kami00.bmp", "BM shipped paper");
    program.Write("paruberina", "not a picture");
    user.Write("kami00.bmp", "BM the user's own paper mark");

    EXPECT_TRUE(app::Copy_Missing_Pictures(program.Path(), user.Path()).isEmpty());
    EXPECT_EQ(user.Read("pura00.bmp"), QByteArray("BM shipped plastic"));
    EXPECT_EQ(user.Read("kami00.bmp"), QByteArray("BM the user's own paper mark"));
    EXPECT_FALSE(QFile::exists(user.File("paruberina")));

    // A copy run from its own folder copies nothing onto itself.
    EXPECT_TRUE(app::Copy_Missing_Pictures(program.Path(), program.Path()).isEmpty());

    // Pictures that cannot be written are reported by name.
    const QStringList errors = app::Copy_Missing_Pictures(program.Path(), user.File("no-such-folder"));
    ASSERT_EQ(errors.size(), 2);
    EXPECT_TRUE(errors.join('\n').contains("pura00.bmp")) << errors.join('\n').toStdString();
    EXPECT_TRUE(errors.join('\n').contains("kami00.bmp"));
}

// A print killed while it wrote its PDF leaves a ".part" file in 印刷データ:
// start-up removes the ones of the built-in PDF printer that no running job
// holds, and leaves every other file alone.
TEST(First_Start, PdfPartsOfKilledPrintsAreRemoved)
{
    Temp_Folder dir;
    const QString output = dir.File(QStringLiteral("印刷データ"));
    ASSERT_TRUE(QDir().mkpath(output));
    const auto part = [&output](const char* name) { return QDir(output).filePath(QString::fromLatin1(name)); };
    for (const char* name : {"20240305-090507-123.pdf.part", "20240305-090507-123-2.pdf.part",
                             "20240305-090508-001.pdf.part", "mine.pdf.part", "20240305-090507-123.pdf"})
        dir.Write(QStringLiteral("印刷データ/") + QString::fromLatin1(name), "");
    QFile running(part("20240305-090508-001.pdf.part"));  // a job of another copy, still writing
    ASSERT_TRUE(running.open(QIODevice::ReadWrite));
    ASSERT_EQ(::flock(running.handle(), LOCK_EX | LOCK_NB), 0);

    app::Prepare_Data(Context_For(dir));
    QStringList left = QDir(output).entryList(QDir::Files);
    left.sort();
    EXPECT_EQ(left, (QStringList{"20240305-090507-123.pdf", "20240305-090508-001.pdf.part", "mine.pdf.part"}));
}
