#include "platform/desktop_platform.h"

#include "support/temp_folder.h"

#include <QDir>

#include <gtest/gtest.h>

using platform::Find_Removable_Mount;

TEST(Removable_Drive, FirstRemovableBlockDeviceOrMediaMount)
{
    test_support::Temp_Folder sys;
    QDir(sys.Path()).mkpath("sda");
    QDir(sys.Path()).mkpath("sdb");
    sys.Write("sda/removable", "0\n");
    sys.Write("sdb/removable", "1\n");
    const QString mounts = QStringLiteral(
        "/dev/sda1 / ext4 rw 0 0\n"
        "proc /proc proc rw 0 0\n"
        "/dev/sdb1 /mnt/USB\\040STICK vfat rw 0 0\n"
        "/dev/sdc1 /media/u/CARD vfat rw 0 0\n");
    EXPECT_EQ(Find_Removable_Mount(mounts, sys.Path()), QStringLiteral("/mnt/USB STICK"));
    EXPECT_EQ(Find_Removable_Mount(QStringLiteral("/dev/sdc1 /run/media/u/CARD/ vfat rw 0 0\n"), sys.Path()),
              QStringLiteral("/run/media/u/CARD"));
    EXPECT_TRUE(Find_Removable_Mount(QStringLiteral("/dev/sda1 / ext4 rw 0 0\n"), sys.Path()).isEmpty());
}
