// Restoring a backup from any archive bytes into a data folder.
#include "fuzz_support.h"
#include "maintenance/backup.h"

#include <QDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString archive = fuzz_support::Write_Input(QStringLiteral("backup.zip"), data, size);
    QDir target(fuzz_support::Scratch_Folder() + QStringLiteral("data"));
    target.removeRecursively();
    if (!QDir().mkpath(target.path()))
        fuzz_support::Fail("cannot create the data folder");
    maintenance::Restore_Backup(archive, target.path() + QLatin1Char('/'));
    return 0;
}
