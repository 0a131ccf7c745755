// Backup archives: names, the files they hold, real zip files, and restores
// that must never write outside the data folder or change anything when they fail.
#include "maintenance/backup.h"
#include "maintenance/data_files.h"
#include "maintenance/zip_archive.h"
#include "printing/print_history.h"
#include "products/product_extras.h"
#include "recipes/materials.h"
#include "recipes/recipe_file.h"
#include "support/small_tmpfs.h"
#include "support/temp_folder.h"
#include "support/utf8.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>

#include <gtest/gtest.h>
#include <zip.h>

#include <map>
#include <poll.h>
#include <sys/inotify.h>
#include <thread>
#include <unistd.h>

using namespace maintenance;
using test_support::Temp_Folder;

namespace {

using test_support::Q;

// Every file of a folder with its bytes.
std::map<QString, QByteArray> Snapshot(const QString& folder)
{
    std::map<QString, QByteArray> files;
    for (const QFileInfo& info :
         QDir(folder).entryInfoList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot)) {
        QFile file(info.filePath());
        files[info.fileName()] = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<dir>");
    }
    return files;
}

// A zip whose entries have exactly the given (raw) names.
void Write_Raw_Zip(const QString& path, const std::vector<std::pair<QByteArray, QByteArray>>& entries)
{
    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr);
    for (const auto& [name, bytes] : entries) {
        zip_source_t* source = zip_source_buffer(archive, bytes.constData(), bytes.size(), 0);
        ASSERT_GE(zip_file_add(archive, name.constData(), source, ZIP_FL_ENC_RAW), 0);
    }
    ASSERT_EQ(zip_close(archive), 0);
}

// Bytes that do not compress, so that an archive has a long stretch of compressed data.
QByteArray Noise(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    quint32 state = 12345;
    for (char& b : bytes) {
        state = state * 1103515245u + 12345u;
        b = static_cast<char>(state >> 24);
    }
    return bytes;
}

struct Backup_Fixture : ::testing::Test {
    Temp_Folder application;
    Temp_Folder data;
    Temp_Folder backups;

    void SetUp() override
    {
        application.Write("user_v2.dat", "printer\r\n");
        application.Write("paruberina", "executable");
        data.Write(Q("標準01 65x45.lay"), "Ver2.00\r\n");
        data.Write(Q("作成ﾚｲｱｳﾄ.lay"), "Ver2.00\r\nmine\r\n");
        data.Write("pura00.bmp", Noise(20000));
        data.Write("kami00.bmp", QByteArray(4000, 'K'));
        data.Write(Q("商品情報_v2.tsv"), "2.00\r\n0001\tx\r\n");
        data.Write(Q("文字列情報_v2.tsv"), "strings\r\n");
        data.Write(Q("単語テーブル_v2.tsv"), "words\r\n");
        data.Write("notes.txt", "not part of a backup");
    }
};

}  // namespace

TEST(Default_Backup_Name, PadsEveryPart)
{
    const QDateTime moment(QDate(2024, 3, 5), QTime(9, 5, 7));
    EXPECT_EQ(Default_Backup_Name(moment), Q("2024年03月05日09時05分07秒に保存したデータ"));
}

TEST_F(Backup_Fixture, FilesAreDatOfApplicationFolderThenLayoutsPicturesAndTables)
{
    QStringList names;
    for (const QString& path : Backup_Files(application.Path(), data.Data_Folder()))
        names << QFileInfo(path).fileName();
    const QStringList expected = {Q("user_v2.dat"),     Q("作成ﾚｲｱｳﾄ.lay"),    Q("標準01 65x45.lay"),
                                  Q("kami00.bmp"),      Q("pura00.bmp"),       Q("単語テーブル_v2.tsv"),
                                  Q("商品情報_v2.tsv"), Q("文字列情報_v2.tsv")};
    // Within one extension the order is by name; check the extension order and the set.
    ASSERT_EQ(names.size(), expected.size());
    EXPECT_EQ(names.first(), Q("user_v2.dat"));
    for (int i = 1; i < names.size(); ++i) {
        static const QStringList order = {Q("dat"), Q("lay"), Q("bmp"), Q("tsv")};
        EXPECT_LE(order.indexOf(QFileInfo(names[i - 1]).suffix()), order.indexOf(QFileInfo(names[i]).suffix()));
    }
    for (const QString& name : expected)
        EXPECT_TRUE(names.contains(name)) << name.toStdString();
}

TEST_F(Backup_Fixture, ArchiveListedByUnzipHoldsBareNamesAtHighestCompression)
{
    const QString archive = Archive_Path(backups.Path(),
                                         Default_Backup_Name(QDateTime(QDate(2024, 3, 5), QTime(9, 5, 7))));
    ASSERT_TRUE(Create_Backup(archive, application.Path(), data.Data_Folder()).ok());
    EXPECT_EQ(QFileInfo(archive).fileName(), Q("2024年03月05日09時05分07秒に保存したデータ.zip"));

    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-v"), archive});
    ASSERT_TRUE(unzip.waitForFinished());
    const QString listing = QString::fromUtf8(unzip.readAllStandardOutput());
    EXPECT_TRUE(listing.contains(QStringLiteral("8 files"))) << listing.toStdString();
    for (const char* name : {"user_v2.dat", "標準01 65x45.lay", "作成ﾚｲｱｳﾄ.lay", "pura00.bmp", "kami00.bmp",
                             "商品情報_v2.tsv", "文字列情報_v2.tsv", "単語テーブル_v2.tsv"})
        EXPECT_TRUE(listing.contains(Q(name))) << name;
    EXPECT_FALSE(listing.contains(QStringLiteral("notes.txt")));
    EXPECT_FALSE(listing.contains(QLatin1Char('/') + QStringLiteral("user_v2.dat")));
    EXPECT_TRUE(listing.contains(QStringLiteral("Defl:X"))) << "deflate at the maximum level";
}

TEST_F(Backup_Fixture, AddingAgainReplacesEntriesOfTheSameName)
{
    const QString archive = Archive_Path(backups.Path(), QStringLiteral("again"));
    ASSERT_TRUE(Create_Backup(archive, application.Path(), data.Data_Folder()).ok());
    data.Write("pura00.bmp", "changed");
    ASSERT_TRUE(Create_Backup(archive, application.Path(), data.Data_Folder()).ok());
    EXPECT_EQ(Zip_Entry_Names(archive).size(), 8);

    Temp_Folder restored;
    ASSERT_TRUE(Restore_Backup(archive, restored.Data_Folder()).ok());
    EXPECT_EQ(restored.Read("pura00.bmp"), QByteArray("changed"));
}

TEST_F(Backup_Fixture, RestoreIntoAnotherLocationPutsEveryFileIntoItsDataFolder)
{
    const QString archive = Archive_Path(backups.Path(), QStringLiteral("move"));
    ASSERT_TRUE(Create_Backup(archive, application.Path(), data.Data_Folder()).ok());
    Temp_Folder other;
    other.Write(Q("商品情報_v2.tsv"), "2.00\r\n");
    ASSERT_TRUE(Restore_Backup(archive, other.Data_Folder()).ok());

    auto expected = Snapshot(data.Path());
    expected.erase(QStringLiteral("notes.txt"));
    expected[QStringLiteral("user_v2.dat")] = application.Read("user_v2.dat");
    EXPECT_EQ(Snapshot(other.Path()), expected) << "no staging folder left, every file restored";
}

TEST_F(Backup_Fixture, ProductExtrasOfOurOwnAreBackedUpAndRestored)
{
    const QByteArray extras = store::Encode_Cp932(Q("2.00\r\n登録番号\t表示可能面積\r\n0001\t150cm2以下\r\n")).bytes;
    data.Write(products::kProductExtrasFileName, extras);
    const QString archive = Archive_Path(backups.Path(), QStringLiteral("extras"));
    ASSERT_TRUE(Create_Backup(archive, application.Path(), data.Data_Folder()).ok());
    Temp_Folder other;
    ASSERT_TRUE(Restore_Backup(archive, other.Data_Folder()).ok());
    EXPECT_EQ(other.Read(products::kProductExtrasFileName), extras);
}

TEST_F(Backup_Fixture, RecipesAndMaterialsGoIntoTheBackupAndComeBack)
{
    recipes::Material own;
    own.code = QStringLiteral("U0001");
    own.name = Q("こしあん");
    own.label_name = Q("こしあん");
    own.ingredients = Q("小豆、砂糖");
    ASSERT_TRUE(recipes::Store_Materials(data.Data_Folder(), {own}).Is_Done());
    recipes::Recipe recipe;
    recipe.product_no = QStringLiteral("0001");
    recipe.lines = {{QStringLiteral("U0001"), 400}};
    recipe.pieces = 10;
    ASSERT_TRUE(recipes::Store_Recipe(data.Data_Folder(), recipe).Is_Done());
    const QString archive = Archive_Path(backups.Path(), QStringLiteral("recipes"));
    ASSERT_TRUE(Create_Backup(archive, application.Path(), data.Data_Folder()).ok());
    const QStringList entries = Zip_Entry_Names(archive);
    EXPECT_TRUE(entries.contains(recipes::kRecipesFileName));
    EXPECT_TRUE(entries.contains(recipes::kMaterialsFileName));

    Temp_Folder other;
    ASSERT_TRUE(Restore_Backup(archive, other.Data_Folder()).ok());
    EXPECT_EQ(other.Read(recipes::kRecipesFileName), data.Read(recipes::kRecipesFileName));
    EXPECT_EQ(*recipes::Find_Recipe(other.Data_Folder(), QStringLiteral("1")), recipe);
    EXPECT_EQ(recipes::Read_Materials(other.Data_Folder()).materials, std::vector<recipes::Material>{own});
}

TEST_F(Backup_Fixture, FileThatCannotBeReadIsNamedAndLeavesTheArchiveAsItWas)
{
    const QString archive = Archive_Path(backups.Path(), QStringLiteral("kept"));
    ASSERT_TRUE(Create_Backup(archive, application.Path(), data.Data_Folder()).ok());
    const QByteArray before = backups.Read(QStringLiteral("kept.zip"));

    const store::Write_Result result = Zip_Add(archive, {data.File("pura00.bmp"), data.File("gone.lay")});
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.error.contains(QStringLiteral("gone.lay"))) << result.error.toStdString();
    EXPECT_EQ(backups.Read(QStringLiteral("kept.zip")), before);

    EXPECT_FALSE(Create_Backup(backups.File("no/such/folder/x.zip"), application.Path(), data.Data_Folder()).ok());

    // A file that opens but fails while it is read is not added half.
    for (const test_support::Unreadable kind : test_support::kUnreadableKinds) {
        if (!test_support::Make_Unreadable(data.File("broken.lay"), kind))
            continue;
        const store::Write_Result unreadable = Zip_Add(archive, {data.File("pura00.bmp"), data.File("broken.lay")});
        EXPECT_FALSE(unreadable.ok()) << test_support::Name_Of(kind);
        EXPECT_TRUE(unreadable.error.contains(QStringLiteral("broken.lay"))) << unreadable.error.toStdString();
        EXPECT_EQ(backups.Read(QStringLiteral("kept.zip")), before) << test_support::Name_Of(kind);
    }
}

TEST(Is_Bare_File_Name, AcceptsOnlyNamesWithoutFolders)
{
    for (const char* bad : {"", ".", "..", "../x", "/etc/x", "a/b", "a\\b", "C:x", "..\\x", "a\nb"})
        EXPECT_FALSE(Is_Bare_File_Name(Q(bad))) << bad;
    for (const char* good : {"x.lay", "..x", "a..b.tsv", "標準01 65x45.lay", ".hidden"})
        EXPECT_TRUE(Is_Bare_File_Name(Q(good))) << good;
}

TEST(Restore_Backup, EntriesWithPathsAreRefusedAndNothingIsWrittenAnywhere)
{
    Temp_Folder outer;
    QDir(outer.Path()).mkpath(QStringLiteral("data"));
    const QString data_folder = outer.File(QStringLiteral("data")) + QLatin1Char('/');
    {
        QFile product(data_folder + Q("商品情報_v2.tsv"));
        ASSERT_TRUE(product.open(QIODevice::WriteOnly));
        product.write("2.00\r\n0001\toriginal\r\n");
    }
    const QString absolute_target = outer.File(QStringLiteral("absolute.txt"));
    const struct {
        const char* label;
        QByteArray evil_name;
    } cases[] = {
        {"parent", "../x"},
        {"absolute", QFile::encodeName(absolute_target)},
        {"sub folder", "sub/x"},
        {"backslash", "..\\x"},
    };
    for (const auto& c : cases) {
        const QString archive = outer.File(QStringLiteral("evil.zip"));
        Write_Raw_Zip(archive,
                      {{QByteArray("pura00.bmp"), QByteArray("new picture")},
                       {c.evil_name, QByteArray("escaped")},
                       {Q("商品情報_v2.tsv").toUtf8(), QByteArray("2.00\r\n")}});
        const auto before = Snapshot(data_folder);
        const store::Write_Result result = Restore_Backup(archive, data_folder);
        EXPECT_FALSE(result.ok()) << c.label;
        EXPECT_EQ(Snapshot(data_folder), before) << c.label;
        EXPECT_FALSE(QFileInfo::exists(outer.File(QStringLiteral("x")))) << c.label;
        EXPECT_FALSE(QFileInfo::exists(absolute_target)) << c.label;
        EXPECT_FALSE(QFileInfo::exists(data_folder + QStringLiteral("sub"))) << c.label;
    }
}

TEST_F(Backup_Fixture, DamagedOrForeignArchiveChangesNoFile)
{
    const QString archive = Archive_Path(backups.Path(), QStringLiteral("good"));
    ASSERT_TRUE(Create_Backup(archive, application.Path(), data.Data_Folder()).ok());
    const QByteArray good = backups.Read(QStringLiteral("good.zip"));

    QByteArray header = good;
    for (int i = 80; i < 90; ++i)
        header[i] = static_cast<char>(header[i] ^ 0x5A);
    QByteArray data_bytes = good;  // inside the picture's compressed data
    data_bytes[good.size() / 3] = static_cast<char>(data_bytes[good.size() / 3] ^ 0x5A);
    const std::pair<const char*, QByteArray> damaged[] = {
        {"local header", header},
        {"compressed data", data_bytes},
        {"truncated", good.left(good.size() / 2)},
        {"not a zip", QByteArray("just text")},
        {"empty", QByteArray()},
    };
    Temp_Folder target;
    target.Write(Q("商品情報_v2.tsv"), "2.00\r\n0005\tkeep\r\n");
    target.Write("pura00.bmp", "old picture");
    for (const auto& [label, bytes] : damaged) {
        backups.Write(QStringLiteral("damaged.zip"), bytes);
        const auto before = Snapshot(target.Path());
        const store::Write_Result result = Restore_Backup(backups.File(QStringLiteral("damaged.zip")),
                                                          target.Data_Folder());
        EXPECT_FALSE(result.ok()) << label;
        EXPECT_FALSE(result.error.isEmpty()) << label;
        EXPECT_EQ(Snapshot(target.Path()), before) << label;
    }
    EXPECT_FALSE(Restore_Backup(backups.File(QStringLiteral("missing.zip")), target.Data_Folder()).ok());
}

TEST(Restore_Backup, NamesWrittenInCp932AreDecoded)
{
    Temp_Folder folder;
    const QString archive = folder.File(QStringLiteral("old.zip"));
    Write_Raw_Zip(archive, {{store::Encode_Cp932(Q("商品情報_v2.tsv")).bytes, QByteArray("2.00\r\n")}});
    Temp_Folder target;
    ASSERT_TRUE(Restore_Backup(archive, target.Data_Folder()).ok());
    EXPECT_EQ(target.Read(Q("商品情報_v2.tsv")), QByteArray("2.00\r\n"));
}

TEST(List_Archives, ListsZipFilesWithoutExtension)
{
    Temp_Folder folder;
    folder.Write("b.zip", "");
    folder.Write("A.ZIP", "");
    folder.Write("c.zip.txt", "");
    folder.Write("notzip", "");
    QDir(folder.Path()).mkdir(QStringLiteral("folder.zip"));
    EXPECT_EQ(List_Archives(folder.Path(), QStringLiteral("zip")),
              (QStringList{QStringLiteral("A"), QStringLiteral("b")}));
    EXPECT_TRUE(List_Archives(folder.File(QStringLiteral("missing")), QStringLiteral("zip")).isEmpty());
}

namespace {

// Sets the uncompressed size that the local and the central headers of every
// entry of the archive claim.
QByteArray With_Claimed_Size(QByteArray zip, quint32 size)
{
    const auto put = [&zip, size](qsizetype at) {
        for (int i = 0; i < 4; ++i)
            zip[at + i] = static_cast<char>((size >> (8 * i)) & 0xFF);
    };
    for (const auto& [signature, offset] :
         {std::pair{QByteArray("PK\x03\x04", 4), 22}, {QByteArray("PK\x01\x02", 4), 24}})
        for (qsizetype at = zip.indexOf(signature); at >= 0; at = zip.indexOf(signature, at + 4))
            put(at + offset);
    return zip;
}

}  // namespace

TEST(Restore_Backup, OversizedForeignOrLyingArchivesAreRefusedAndChangeNothing)
{
    Temp_Folder work;
    const QByteArray product_name = Q("商品情報_v2.tsv").toUtf8();
    const QString archive = work.File(QStringLiteral("in.zip"));

    Write_Raw_Zip(archive, {{product_name, QByteArray(300, 'x')}});
    const QByteArray small = work.Read(QStringLiteral("in.zip"));
    Write_Raw_Zip(archive, {{product_name, QByteArray(1 << 20, '\0')}});
    const QByteArray bomb = work.Read(QStringLiteral("in.zip"));
    std::vector<std::pair<QByteArray, QByteArray>> five;
    for (int i = 0; i < 5; ++i)
        five.push_back({QByteArray::number(i) + ".bmp", QByteArray(10, 'x')});
    Write_Raw_Zip(archive, five);
    const QByteArray five_small = work.Read(QStringLiteral("in.zip"));
    Write_Raw_Zip(archive, {{"pura00.bmp", "picture"}, {"notes.txt", "not a data file"}});
    const QByteArray foreign = work.Read(QStringLiteral("in.zip"));
    std::vector<std::pair<QByteArray, QByteArray>> many;
    for (int i = 0; i <= kMaxArchiveEntries; ++i)
        many.push_back({QByteArray::number(i) + ".lay", QByteArray()});
    Write_Raw_Zip(archive, many);
    const QByteArray too_many = work.Read(QStringLiteral("in.zip"));

    const std::pair<const char*, QByteArray> cases[] = {
        {"claims more than an entry may hold", With_Claimed_Size(small, quint32(kMaxEntryBytes + 1))},
        {"claims little, expands to more", With_Claimed_Size(bomb, 1000)},
        {"entries together past the limit", With_Claimed_Size(five_small, quint32(kMaxArchiveBytes / 5 + 1))},
        {"entry that is no data file", foreign},
        {"too many entries", too_many},
    };
    Temp_Folder target;
    target.Write(Q("商品情報_v2.tsv"), "2.00\r\n0005\tkeep\r\n");
    target.Write("pura00.bmp", "old picture");
    for (const auto& [label, bytes] : cases) {
        work.Write(QStringLiteral("in.zip"), bytes);
        const auto before = Snapshot(target.Path());
        const store::Write_Result result = Restore_Backup(archive, target.Data_Folder());
        EXPECT_FALSE(result.ok()) << label;
        EXPECT_TRUE(result.error.startsWith(QStringLiteral("in.zip"))) << label << ": " << result.error.toStdString();
        EXPECT_EQ(Snapshot(target.Path()), before) << label;
    }
}

// A restore refuses an archive whose unpacked entries need more than the disk has free.
TEST(Restore_Backup, AnArchiveLargerThanTheFreeSpaceIsRefusedBeforeUnpacking)
{
    test_support::Small_Tmpfs disk(1024);
    if (!disk.Mounted())
        GTEST_SKIP() << disk.Why_Not().toStdString();
    Temp_Folder work;
    const QString archive = work.File(QStringLiteral("in.zip"));
    Write_Raw_Zip(archive, {{"pura00.bmp", QByteArray(4 << 20, 'x')}});
    const store::Write_Result result = Restore_Backup(archive, disk.Path() + QLatin1Char('/'));
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.error.contains(QStringLiteral("ディスクの空きが足りません"))) << result.error.toStdString();
    EXPECT_TRUE(QDir(disk.Path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
}

// Whatever a backup writes, a restore takes back: a history of years, past
// what an entry once could hold. What a restore would refuse, a backup refuses
// before it writes anything.
TEST_F(Backup_Fixture, EverythingABackupWritesIsRestoredAndWhatARestoreRefusesIsNeverWritten)
{
    QByteArray history = "2.00\r\n";
    const QByteArray job = Q("2024/03/05 09:00:00\t0001\t苺大福\t標準01 65x45\t5\tZebra\t2024/03/05 09:00\t"
                             "消費期限:2024年03月08日\t送信\t\t\r\n")
                               .toUtf8();
    while (history.size() < 65 * 1024 * 1024)
        history += job;
    data.Write(printing::kHistoryFileName, history);
    const QString archive = Archive_Path(backups.Path(), QStringLiteral("large"));
    ASSERT_TRUE(Create_Backup(archive, application.Path(), data.Data_Folder()).ok());
    Temp_Folder restored;
    const store::Write_Result result = Restore_Backup(archive, restored.Data_Folder());
    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    EXPECT_EQ(restored.Read(printing::kHistoryFileName), history);
    EXPECT_EQ(restored.Read(QStringLiteral("pura00.bmp")), data.Read(QStringLiteral("pura00.bmp")));

    // A picture past what an entry may hold, as a sparse file: refused before anything is read.
    QFile huge(data.File(QStringLiteral("巨大.bmp")));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(kMaxEntryBytes + 1));
    huge.close();
    const QString refused_archive = Archive_Path(backups.Path(), QStringLiteral("refused"));
    const store::Write_Result refused = Create_Backup(refused_archive, application.Path(), data.Data_Folder());
    EXPECT_FALSE(refused.ok());
    EXPECT_TRUE(refused.error.contains(QStringLiteral("巨大.bmp"))) << refused.error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(refused_archive));
}

namespace {

quint32 Crc32(const QByteArray& bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : bytes) {
        crc ^= quint8(byte);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// A zip as the Windows version writes it: names in CP932 bytes, no UTF-8 flag,
// no extra fields, entries stored.
QByteArray Windows_Zip(const std::vector<std::pair<QByteArray, QByteArray>>& entries)
{
    const auto u16 = [](QByteArray& out, quint16 v) { out.append(char(v & 0xFF)).append(char(v >> 8)); };
    const auto u32 = [&u16](QByteArray& out, quint32 v) {
        u16(out, quint16(v & 0xFFFF));
        u16(out, quint16(v >> 16));
    };
    QByteArray zip;
    QByteArray central;
    for (const auto& [name, bytes] : entries) {
        const quint32 offset = quint32(zip.size());
        const quint32 crc = Crc32(bytes);
        zip.append("PK\x03\x04", 4);
        u16(zip, 20);
        u16(zip, 0);
        u16(zip, 0);
        u16(zip, 0);
        u16(zip, 0x21);
        u32(zip, crc);
        u32(zip, quint32(bytes.size()));
        u32(zip, quint32(bytes.size()));
        u16(zip, quint16(name.size()));
        u16(zip, 0);
        zip.append(name).append(bytes);
        central.append("PK\x01\x02", 4);
        u16(central, 20);
        u16(central, 20);
        u16(central, 0);
        u16(central, 0);
        u16(central, 0);
        u16(central, 0x21);
        u32(central, crc);
        u32(central, quint32(bytes.size()));
        u32(central, quint32(bytes.size()));
        u16(central, quint16(name.size()));
        u16(central, 0);
        u16(central, 0);
        u16(central, 0);
        u16(central, 0);
        u32(central, 0);
        u32(central, offset);
        central.append(name);
    }
    const quint32 central_offset = quint32(zip.size());
    zip.append(central);
    zip.append("PK\x05\x06", 4);
    u16(zip, 0);
    u16(zip, 0);
    u16(zip, quint16(entries.size()));
    u16(zip, quint16(entries.size()));
    u32(zip, quint32(central.size()));
    u32(zip, central_offset);
    u16(zip, 0);
    return zip;
}

}  // namespace

// Names are UTF-8 where the archive says so and CP932 where it does not, even
// when CP932 bytes happen to be valid UTF-8 ("ﾐｿ" is the bytes of "п").
TEST(Restore_Backup, NamesFollowTheArchivesEncodingFlag)
{
    Temp_Folder work;
    const QString archive = work.File(QStringLiteral("windows.zip"));
    const QStringList names = {Q("ﾐｿ.lay"), Q("商品情報_v2.tsv"), Q("ｱｲｳ ﾚｲｱｳﾄ.lay"), QStringLiteral("plain.bmp")};
    std::vector<std::pair<QByteArray, QByteArray>> entries;
    for (const QString& name : names)
        entries.push_back({store::Encode_Cp932(name).bytes, "2.00\r\n"});
    work.Write(QStringLiteral("windows.zip"), Windows_Zip(entries));
    Temp_Folder target;
    const store::Write_Result result = Restore_Backup(archive, target.Data_Folder());
    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    QStringList restored = QDir(target.Path()).entryList(QDir::Files);
    QStringList expected = names;
    restored.sort();
    expected.sort();
    EXPECT_EQ(restored, expected);

    // Our own archives mark their names as UTF-8: "п.lay" stays "п.lay".
    Temp_Folder data;
    data.Write(Q("п.lay"), "Ver2.00\r\n");
    const QString own = work.File(QStringLiteral("own.zip"));
    ASSERT_TRUE(Zip_Add(own, {data.File(Q("п.lay"))}).ok());
    EXPECT_EQ(Zip_Entry_Names(own), QStringList{Q("п.lay")});
}

// A name that differs from a data file's only in case is that file, as on the
// Windows version: it replaces the file instead of adding a second one.
TEST(Restore_Backup, ACaseVariantOfANameReplacesThatFile)
{
    Temp_Folder work;
    const QString archive = work.File(QStringLiteral("in.zip"));
    Write_Raw_Zip(archive,
                  {{Q("商品情報_V2.TSV").toUtf8(), "2.00\r\n0001\tnew\r\n"},
                   {"MINE.LAY", "Ver2.00\r\nnew\r\n"},
                   {"User_V2.Dat", "settings\r\n"}});
    for (const bool product_file_there : {true, false}) {
        Temp_Folder target;
        if (product_file_there)
            target.Write(Q("商品情報_v2.tsv"), "2.00\r\n0001\told\r\n");
        target.Write("Mine.lay", "Ver2.00\r\nold\r\n");
        ASSERT_TRUE(Restore_Backup(archive, target.Data_Folder()).ok());
        QStringList files = QDir(target.Path()).entryList(QDir::Files);
        files.sort();
        EXPECT_EQ(files,
                  (QStringList{QStringLiteral("Mine.lay"), QStringLiteral("user_v2.dat"), Q("商品情報_v2.tsv")}));
        EXPECT_EQ(target.Read(Q("商品情報_v2.tsv")), QByteArray("2.00\r\n0001\tnew\r\n"));
        EXPECT_EQ(target.Read("Mine.lay"), QByteArray("Ver2.00\r\nnew\r\n"));
    }
}

// A product file that is none (empty, binary, another text), or a text file
// that holds binary data, refuses the archive before anything is replaced.
TEST(Restore_Backup, DataFilesThatAreNoneAreRefusedBeforeAnythingIsReplaced)
{
    const QByteArray product = Q("商品情報_v2.tsv").toUtf8();
    const std::pair<const char*, std::vector<std::pair<QByteArray, QByteArray>>> cases[] = {
        {"empty product file", {{"pura00.bmp", "new"}, {product, ""}}},
        {"binary product file", {{"pura00.bmp", "new"}, {product, Noise(5000)}}},
        {"product file with NULs after its version line", {{product, QByteArray("2.00\r\n\0\0\0", 9)}}},
        {"another text as product file", {{product, "Ver2.00\r\n65\r\n"}}},
        {"binary layout", {{"pura00.bmp", "new"}, {"mine.lay", QByteArray("Ver2.00\0\0", 9)}}},
    };
    Temp_Folder work;
    const QString archive = work.File(QStringLiteral("in.zip"));
    Temp_Folder target;
    target.Write(Q("商品情報_v2.tsv"), "2.00\r\n0005\tkeep\r\n");
    target.Write("pura00.bmp", "old picture");
    for (const auto& [label, entries] : cases) {
        Write_Raw_Zip(archive, entries);
        const auto before = Snapshot(target.Path());
        const store::Write_Result result = Restore_Backup(archive, target.Data_Folder());
        EXPECT_FALSE(result.ok()) << label;
        EXPECT_EQ(Snapshot(target.Path()), before) << label;
    }
}

// The print history is a record of what happened: a restore adds the
// archive's jobs to the current ones instead of replacing them.
TEST(Backup_History, ARestoreKeepsTheJobsPrintedSinceTheBackup)
{
    Temp_Folder application;
    Temp_Folder data;
    Temp_Folder backups;
    const auto job = [](const char* time, const char* name) {
        printing::History_Entry entry;
        entry.time = QString::fromLatin1(time);
        entry.product_no = QStringLiteral("0001");
        entry.product_name = QString::fromUtf8(name);
        entry.result = printing::kHistorySent;
        return entry;
    };
    ASSERT_TRUE(printing::Append_History(data.Data_Folder(), job("2024/03/01 09:00:00", "a")).Is_Done());
    ASSERT_TRUE(printing::Append_History(data.Data_Folder(), job("2024/03/02 09:00:00", "b")).Is_Done());
    const QString archive = Archive_Path(backups.Path(), QStringLiteral("history"));
    ASSERT_TRUE(Create_Backup(archive, application.Path(), data.Data_Folder()).ok());
    ASSERT_TRUE(printing::Append_History(data.Data_Folder(), job("2024/03/03 09:00:00", "c")).Is_Done());

    ASSERT_TRUE(Restore_Backup(archive, data.Data_Folder()).ok());
    QStringList names;
    for (int i = 0; i < printing::Read_History(data.Data_Folder())->Size(); ++i)
        names << printing::Read_History(data.Data_Folder())->Entry(i).product_name;
    EXPECT_EQ(names, (QStringList{"c", "b", "a"}));
    EXPECT_FALSE(QFile::exists(data.File(printing::kHistoryLockName)));
}

TEST(Restore_Backup, FailedMovePutsBackEveryFileAlreadyReplaced)
{
    Temp_Folder work;
    const QString archive = work.File(QStringLiteral("in.zip"));
    Write_Raw_Zip(archive, {{"a.lay", "new a"}, {"new.bmp", "new picture"}, {"b.tsv", "new b"}, {"c.lay", "new c"}});
    Temp_Folder target;
    target.Write("a.lay", "old a");
    target.Write("b.tsv", "old b");
    QDir(target.Path()).mkdir(QStringLiteral("c.lay"));
    const auto before = Snapshot(target.Path());

    const store::Write_Result result = Restore_Backup(archive, target.Data_Folder());
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.error.contains(QStringLiteral("c.lay"))) << result.error.toStdString();
    EXPECT_EQ(Snapshot(target.Path()), before) << "every replaced file back, the new one gone, no staging folder";
}

TEST(Restore_Backup, FullDiskChangesNothingAndWorksOnceThereIsSpace)
{
    test_support::Small_Tmpfs disk(512);
    if (!disk.Mounted())
        GTEST_SKIP() << disk.Why_Not().toStdString();
    Temp_Folder work;
    const QString archive = work.File(QStringLiteral("in.zip"));
    Write_Raw_Zip(archive, {{"pura00.bmp", Noise(200000)}, {Q("商品情報_v2.tsv").toUtf8(), "2.00\r\n0001\tnew\r\n"}});
    const QString data_folder = disk.Path() + QLatin1Char('/');
    QFile product(data_folder + Q("商品情報_v2.tsv"));
    ASSERT_TRUE(product.open(QIODevice::WriteOnly));
    product.write("2.00\r\n0001\told\r\n");
    product.close();
    disk.Fill();
    const auto before = Snapshot(disk.Path());

    const store::Write_Result full = Restore_Backup(archive, data_folder);
    EXPECT_FALSE(full.ok());
    EXPECT_EQ(Snapshot(disk.Path()), before);

    disk.Free();
    ASSERT_TRUE(Restore_Backup(archive, data_folder).ok());
    EXPECT_EQ(Snapshot(disk.Path())[Q("商品情報_v2.tsv")], QByteArray("2.00\r\n0001\tnew\r\n"));
}

TEST_F(Backup_Fixture, LeftoversOfInterruptedRunsAreRemovedByTheirExactNames)
{
    QDir(data.Path()).mkpath(QStringLiteral(".restore-Ab12Cd/.replaced"));
    data.Write(QStringLiteral(".restore-Ab12Cd/pura00.bmp"), Noise(1000));
    QDir(data.Path()).mkdir(QStringLiteral(".restore-mine"));
    backups.Write(QStringLiteral("kept.zip.Ab12Cd"), QByteArray("PK\x03\x04 partial", 12));
    backups.Write(QStringLiteral("kept.zip.zz99ZZ"), QByteArray());
    backups.Write(QStringLiteral("kept.zip.letter"), "a note of the user's own");
    backups.Write(QStringLiteral("other.zip.Ab12Cd"), QByteArray("PK\x03\x04", 4));

    const QString archive = Archive_Path(backups.Path(), QStringLiteral("kept"));
    ASSERT_TRUE(Create_Backup(archive, application.Path(), data.Data_Folder()).ok());
    EXPECT_FALSE(QFileInfo::exists(backups.File(QStringLiteral("kept.zip.Ab12Cd"))));
    EXPECT_FALSE(QFileInfo::exists(backups.File(QStringLiteral("kept.zip.zz99ZZ"))));
    EXPECT_TRUE(QFileInfo::exists(backups.File(QStringLiteral("kept.zip.letter"))));
    EXPECT_TRUE(QFileInfo::exists(backups.File(QStringLiteral("other.zip.Ab12Cd"))));

    ASSERT_TRUE(Restore_Backup(archive, data.Data_Folder()).ok());
    EXPECT_FALSE(QFileInfo::exists(data.File(QStringLiteral(".restore-Ab12Cd"))));
    EXPECT_TRUE(QFileInfo::exists(data.File(QStringLiteral(".restore-mine"))));
}

TEST(Backup_History, ThePrintHistoryIsBackedUpAndRestoredWithTheData)
{
    Temp_Folder application;
    Temp_Folder data;
    Temp_Folder backups;
    printing::History_Entry entry;
    entry.time = QStringLiteral("2024/03/05 09:01:00");
    entry.product_no = QStringLiteral("0001");
    entry.product_name = QStringLiteral("苺大福");
    entry.result = printing::kHistorySent;
    ASSERT_TRUE(printing::Append_History(data.Data_Folder(), entry).Is_Done());
    const QString archive = Archive_Path(backups.Path(), QStringLiteral("history"));
    ASSERT_TRUE(Create_Backup(archive, application.Path(), data.Data_Folder()).ok());
    EXPECT_TRUE(Zip_Entry_Names(archive).contains(printing::kHistoryFileName));

    Temp_Folder restored;
    ASSERT_TRUE(Restore_Backup(archive, restored.Data_Folder()).ok());
    EXPECT_EQ(restored.Read(printing::kHistoryFileName), data.Read(printing::kHistoryFileName));
    EXPECT_FALSE(QFile::exists(restored.File(printing::kHistoryLockName)));
}

// A second copy starting while a restore runs (in this or another process) leaves
// the restore's working folder alone; once no restore runs, leftovers go.
TEST(Restore_Backup, StartUpDuringARestoreLeavesItsWorkingFolder)
{
    Temp_Folder data;
    QDir(data.Path()).mkdir(QStringLiteral(".restore-Ab12Cd"));
    data.Write(QStringLiteral(".restore-Ab12Cd/a.lay"), "unpacked");
    QLockFile running_restore(data.File(QStringLiteral(".restore.lock")));
    ASSERT_TRUE(running_restore.tryLock(0));

    EXPECT_FALSE(Remove_Stale_Staging_Folders(data.Data_Folder()));
    EXPECT_EQ(data.Read(QStringLiteral(".restore-Ab12Cd/a.lay")), QByteArray("unpacked"));
    Temp_Folder work;
    const QString archive = work.File(QStringLiteral("in.zip"));
    Write_Raw_Zip(archive, {{"a.lay", "new a"}});
    const store::Write_Result second = Restore_Backup(archive, data.Data_Folder());
    EXPECT_TRUE(second.error.startsWith(QStringLiteral("他のぱるべりながこのフォルダに復元中です")))
        << second.error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(data.File(QStringLiteral("a.lay"))));

    running_restore.unlock();
    EXPECT_TRUE(Remove_Stale_Staging_Folders(data.Data_Folder()));
    EXPECT_FALSE(QFileInfo::exists(data.File(QStringLiteral(".restore-Ab12Cd"))));
}

// Something removes the restore's working folder while it moves the unpacked
// files into place: the restore says so and every old file is back, never
// 復元しました with files missing.
TEST(Restore_Backup, LostWorkingFolderIsReportedAndTheOldFilesStay)
{
    constexpr int kFiles = 1000;
    Temp_Folder work;
    Temp_Folder target;
    std::vector<std::pair<QByteArray, QByteArray>> entries;
    for (int i = 0; i < kFiles; ++i) {
        const QByteArray name = QByteArray("f") + QByteArray::number(10000 + i) + ".lay";
        entries.emplace_back(name, "new " + name);
        target.Write(QString::fromLatin1(name), "old " + name);
    }
    const QString archive = work.File(QStringLiteral("in.zip"));
    Write_Raw_Zip(archive, entries);
    const auto before = Snapshot(target.Path());

    // Removes the working folder as soon as the first file has been moved into place.
    const int watch = inotify_init1(IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(inotify_add_watch(watch, QFile::encodeName(target.Path()).constData(), IN_MOVED_TO), 0);
    std::thread remover([&] {
        alignas(inotify_event) char buffer[4096];
        for (bool moved = false; !moved;) {
            pollfd ready{watch, POLLIN, 0};
            if (::poll(&ready, 1, 30000) <= 0)
                return;  // nothing was moved: the restore failed before
            const ssize_t n = ::read(watch, buffer, sizeof buffer);
            for (ssize_t at = 0; at < n;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                moved = moved || (event->len > 0 && event->name[0] != '.');
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
        for (const QFileInfo& info :
             QDir(target.Path()).entryInfoList({QStringLiteral(".restore-??????")}, QDir::Dirs | QDir::Hidden))
            QDir(info.filePath()).removeRecursively();
    });
    const store::Write_Result result = Restore_Backup(archive, target.Data_Folder());
    remover.join();
    ::close(watch);

    // Both removing the folder at once may leave it empty; the next start clears it.
    EXPECT_TRUE(Remove_Stale_Staging_Folders(target.Data_Folder()));
    const auto after = Snapshot(target.Path());
    if (result.ok()) {
        // The folder went only after the last move: every file is the new one.
        ASSERT_EQ(after.size(), static_cast<size_t>(kFiles));
        for (const auto& [name, bytes] : entries)
            EXPECT_EQ(after.at(QString::fromLatin1(name)), "new " + name);
    } else {
        EXPECT_TRUE(result.error.startsWith(QStringLiteral("復元用の作業フォルダ"))) << result.error.toStdString();
        QStringList changed;
        for (const auto& [name, bytes] : after)
            if (!before.count(name) || before.at(name) != bytes)
                changed << name;
        EXPECT_TRUE(after == before) << "every old file back, no working folder left: "
                                     << changed.mid(0, 5).join(' ').toStdString() << " " << result.error.toStdString();
    }
}
