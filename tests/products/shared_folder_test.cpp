// Copies of the program that store into one data folder at once, and a data
// folder whose drive goes away while products are stored: real processes
// (store_products_tool) on real files.
#include "products/product_file.h"
#include "store/cp932.h"

#include "support/small_tmpfs.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QProcess>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <map>
#include <sys/mount.h>
#include <unistd.h>

using namespace products;

namespace {

QString Product_Line(int number, const QString& name)
{
    Product_Record record;
    record[Product_No] = Format_Product_No(QString::number(number));
    record[Layout_Name] = QStringLiteral("標準01 65x45");
    record[Product_Name] = name + QLatin1Char('-') + record[Product_No];
    return Join_Product_Line(record);
}

// A product file of `count` products numbered 2, 4, 6, ...
QByteArray Even_Products(int count)
{
    QStringList lines{kProductVersionLine};
    for (int i = 1; i <= count; ++i)
        lines << Product_Line(2 * i, QStringLiteral("元"));
    return test_support::Cp932_Lines(lines);
}

QProcess* Start_Writer(const QString& folder, const QString& name, int first, int step, int count, int pause_ms = 0)
{
    auto* writer = new QProcess;
    writer->setProgram(QStringLiteral(STORE_PRODUCTS_TOOL));
    writer->setArguments({folder, name, QString::number(first), QString::number(step), QString::number(count),
                          QString::number(pause_ms)});
    writer->start();
    return writer;
}

struct Reports {
    std::map<QString, QString> saved;  // number -> 品名 of every save reported done
    QStringList failures;
};

void Read_Reports(QProcess& writer, Reports& reports)
{
    while (writer.canReadLine()) {
        const QStringList words = QString::fromUtf8(writer.readLine()).trimmed().split(QLatin1Char(' '));
        if (words.value(0) == QStringLiteral("保存しました"))
            reports.saved[words.value(1)] = words.value(2);
        else
            reports.failures << words.join(QLatin1Char(' '));
    }
}

// The file is whole: its version line, then products of 44 fields each in
// strictly ascending number order. Returns number -> 品名.
std::map<QString, QString> Whole_Product_File(const QByteArray& bytes)
{
    const store::Text_File file = store::Split_Text_Lines(bytes);
    std::map<QString, QString> products;
    EXPECT_FALSE(file.lines.isEmpty());
    EXPECT_EQ(file.lines.value(0), kProductVersionLine);
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    QString previous;
    for (qsizetype i = 1; i < file.lines.size(); ++i) {
        const QStringList fields = file.lines.at(i).split(QLatin1Char('\t'));
        EXPECT_EQ(fields.size(), 44) << "line " << i;
        EXPECT_GT(fields.at(0), previous) << "line " << i;
        previous = fields.at(0);
        products[fields.at(0)] = fields.value(2);
    }
    return products;
}

}  // namespace

// Two copies store at once into a file of 3000 products, one adding new numbers
// between the old ones, the other replacing old ones: every save that said
// 保存しました is in the file, nothing else is lost, and the file stays whole.
TEST(Shared_Data_Folder, TwoProcessesStoringAtOnceLoseNothing)
{
    for (int round = 0; round < 3; ++round) {
        test_support::Temp_Folder data;
        data.Write(kProductFileName, Even_Products(3000));
        data.Write(kProductTempName, "another writer's twin");  // e.g. the Windows version's
        std::unique_ptr<QProcess> adding(Start_Writer(data.Data_Folder(), QStringLiteral("A"), 1, 4, 40));
        std::unique_ptr<QProcess> replacing(Start_Writer(data.Data_Folder(), QStringLiteral("B"), 2, 4, 40));
        ASSERT_TRUE(adding->waitForFinished(120000));
        ASSERT_TRUE(replacing->waitForFinished(120000));
        Reports added;
        Reports replaced;
        Read_Reports(*adding, added);
        Read_Reports(*replacing, replaced);
        EXPECT_EQ(added.failures, QStringList()) << "round " << round;
        EXPECT_EQ(replaced.failures, QStringList()) << "round " << round;
        EXPECT_EQ(added.saved.size(), 40u);
        EXPECT_EQ(replaced.saved.size(), 40u);

        std::map<QString, QString> expected;
        for (int i = 1; i <= 3000; ++i)
            expected[Format_Product_No(QString::number(2 * i))] = QStringLiteral("元-%1").arg(2 * i, 4, 10,
                                                                                              QLatin1Char('0'));
        for (const auto& [number, name] : added.saved)
            expected[number] = name;
        for (const auto& [number, name] : replaced.saved)
            expected[number] = name;
        EXPECT_TRUE(Whole_Product_File(data.Read(kProductFileName)) == expected) << "round " << round;
        EXPECT_EQ(data.Read(kProductTempName), QByteArray("another writer's twin"));
        const QStringList left = QDir(data.Path()).entryList(QDir::Files | QDir::Hidden);
        EXPECT_EQ(left, (QStringList{kProductTempName, kProductFileName})) << left.join(' ').toStdString();
    }
}

// The data folder is a drive that is taken away while a copy stores products
// (a USB stick pulled, /mnt/d unmounted), leaving its empty mount point: no save
// after that says 保存しました, nothing is written onto the mount point, and
// every save that said so is on the drive.
TEST(Shared_Data_Folder, DriveTakenAwayMidRunIsRefusedNotRecreated)
{
    test_support::Small_Tmpfs drive(16 * 1024);
    if (!drive.Mounted())
        GTEST_SKIP() << drive.Why_Not().toStdString();
    const QString folder = drive.Path() + QLatin1Char('/');
    {
        QFile file(folder + kProductFileName);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(Even_Products(500));
    }
    std::unique_ptr<QProcess> writer(Start_Writer(folder, QStringLiteral("A"), 1, 2, 200, 5));
    Reports reports;
    while (reports.saved.size() < 15 && writer->waitForReadyRead(30000))
        Read_Reports(*writer, reports);
    ASSERT_GE(reports.saved.size(), 15u);
    // What was on the drive stays readable through this handle after the unmount.
    const int drive_handle = ::open(QFile::encodeName(drive.Path()).constData(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(drive_handle, 0);
    ASSERT_EQ(::umount2(QFile::encodeName(drive.Path()).constData(), MNT_DETACH), 0);
    const size_t failures_before = static_cast<size_t>(reports.failures.size());
    ASSERT_TRUE(writer->waitForFinished(120000));
    Read_Reports(*writer, reports);
    ASSERT_EQ(failures_before, 0u) << reports.failures.join('\n').toStdString();

    EXPECT_EQ(QDir(drive.Path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList())
        << "written onto the mount point";
    ASSERT_FALSE(reports.failures.isEmpty());
    for (const QString& failure : reports.failures)
        EXPECT_TRUE(failure.contains(QStringLiteral("から 商品情報_v2.tsv がなくなっています")))
            << failure.toStdString();

    QByteArray on_drive;
    const int file = ::openat(drive_handle, QFile::encodeName(kProductFileName).constData(), O_RDONLY);
    ASSERT_GE(file, 0);
    char buffer[65536];
    for (ssize_t n; (n = ::read(file, buffer, sizeof buffer)) > 0;)
        on_drive.append(buffer, n);
    ::close(file);
    ::close(drive_handle);
    const std::map<QString, QString> products = Whole_Product_File(on_drive);
    for (const auto& [number, name] : reports.saved) {
        const auto found = products.find(number);
        ASSERT_TRUE(found != products.end()) << number.toStdString() << " said 保存しました but is not on the drive";
        EXPECT_EQ(found->second, name);
    }
}
