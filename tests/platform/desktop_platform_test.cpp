#include "platform/desktop_platform.h"

#include "support/temp_folder.h"

#include <QDir>
#include <QFile>
#include <QUrl>

#include <gtest/gtest.h>

using platform::Find_Removable_Mount;

TEST(Removable_Drive, FirstRemovableBlockDeviceOrMediaMount)
{
    test_support::Temp_Folder sys;
    QDir(sys.Path()).mkpath("sda");
    QDir(sys.Path()).mkpath("sdb");
    sys.Write("sda/removable", "0\n");
    sys.Write("sdb/removable", "1\n");
    const QString mounts = QStringLiteral("/dev/sda1 / ext4 rw 0 0\n"
                                          "proc /proc proc rw 0 0\n"
                                          "/dev/sdb1 /mnt/USB\\040STICK vfat rw 0 0\n"
                                          "/dev/sdc1 /media/u/CARD vfat rw 0 0\n");
    EXPECT_EQ(Find_Removable_Mount(mounts, sys.Path()), QStringLiteral("/mnt/USB STICK"));
    EXPECT_EQ(Find_Removable_Mount(QStringLiteral("/dev/sdc1 /run/media/u/CARD/ vfat rw 0 0\n"), sys.Path()),
              QStringLiteral("/run/media/u/CARD"));
    EXPECT_TRUE(Find_Removable_Mount(QStringLiteral("/dev/sda1 / ext4 rw 0 0\n"), sys.Path()).isEmpty());
}

// What opening a file needs: xdg-open, and a program for the file's type that xdg-mime names.
TEST(Desktop_Opener, NamesTheMissingProgram)
{
    test_support::Temp_Folder bin;
    const QByteArray saved_path = qgetenv("PATH");
    const QString pdf = bin.Path() + QStringLiteral("/label.pdf");
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("%PDF-1.4\n");
    file.close();
    const auto write_tool = [&](const QString& name, const QByteArray& body) {
        QFile tool(bin.Path() + QLatin1Char('/') + name);
        ASSERT_TRUE(tool.open(QIODevice::WriteOnly));
        tool.write("#!/bin/sh\n" + body);
        tool.close();
        tool.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    };
    platform::System_Desktop desktop;
    qputenv("PATH", bin.Path().toLocal8Bit());
    EXPECT_TRUE(desktop.Missing_Opener(QUrl::fromLocalFile(pdf)).startsWith(QStringLiteral("xdg-open")));
    write_tool(QStringLiteral("xdg-open"), "exit 0\n");
    write_tool(QStringLiteral("xdg-mime"), "exit 0\n");
    qputenv("PATH", (bin.Path() + QStringLiteral(":/usr/bin:/bin")).toLocal8Bit());
    EXPECT_EQ(desktop.Missing_Opener(QUrl::fromLocalFile(pdf)), QStringLiteral("application/pdf を開くプログラム"));
    EXPECT_EQ(desktop.Missing_Opener(QUrl::fromLocalFile(bin.Path())), QString());  // a folder
    write_tool(QStringLiteral("xdg-mime"), "echo viewer.desktop\n");
    EXPECT_EQ(desktop.Missing_Opener(QUrl::fromLocalFile(pdf)), QString());
    qputenv("PATH", saved_path);
}
