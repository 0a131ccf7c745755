#include "support/small_tmpfs.h"

#include <QByteArray>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <sys/mount.h>

namespace test_support {

Small_Tmpfs::Small_Tmpfs(int kilobytes)
{
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k";
    if (::mount("tmpfs", QFile::encodeName(Path()).constData(), "tmpfs", 0, options.constData()) == 0)
        mounted_ = true;
    else
        why_not_ =
            QStringLiteral("cannot mount a tmpfs (needs root): %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
}

Small_Tmpfs::~Small_Tmpfs()
{
    if (mounted_)
        ::umount2(QFile::encodeName(Path()).constData(), MNT_DETACH);
}

void Small_Tmpfs::Fill() const
{
    QFile filler(Path() + QStringLiteral("/filler"));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return;
    const QByteArray block(4096, 'f');
    while (filler.write(block) == block.size()) { }
    // The last partial block.
    while (filler.write(block.constData(), 1) == 1) { }
}

bool Small_Tmpfs::Make_Read_Only() const
{
    return ::mount("tmpfs", QFile::encodeName(Path()).constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

void Small_Tmpfs::Free() const
{
    QFile::remove(Path() + QStringLiteral("/filler"));
}

}  // namespace test_support
