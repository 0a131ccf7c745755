#include "platform/single_instance.h"

#include "support/small_tmpfs.h"
#include "support/temp_folder.h"

#include <csignal>

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

TEST(Single_Instance, ASecondCopyCannotTakeTheLock)
{
    test_support::Temp_Folder dir;
    int ready[2];
    ASSERT_TRUE(pipe(ready) == 0);
    const pid_t first = fork();
    if (first == 0) {
        platform::Single_Instance running(dir.Path());
        const char ok = running.Acquire() == platform::Lock_Outcome::Acquired ? '1' : '0';
        (void)!write(ready[1], &ok, 1);
        pause();
        _exit(0);
    }
    char ok = 0;
    ASSERT_TRUE(read(ready[0], &ok, 1) == 1);
    ASSERT_EQ(ok, '1');
    platform::Single_Instance second(dir.Path());
    EXPECT_EQ(second.Acquire(), platform::Lock_Outcome::Other_Copy_Running);
    kill(first, SIGKILL);
    waitpid(first, nullptr, 0);
    // The dead copy's lock is stale and is taken over.
    platform::Single_Instance after(dir.Path());
    EXPECT_EQ(after.Acquire(), platform::Lock_Outcome::Acquired);
}

TEST(Single_Instance, AFolderThatCannotBeWrittenIsNoSecondCopy)
{
    test_support::Temp_Folder dir;
    // A folder that does not exist cannot hold the lock file either.
    platform::Single_Instance missing(dir.File(QStringLiteral("no-such-folder")));
    EXPECT_EQ(missing.Acquire(), platform::Lock_Outcome::Folder_Not_Writable);

    test_support::Small_Tmpfs disk(64);
    if (!disk.Mounted())
        GTEST_SKIP() << disk.Why_Not().toStdString();
    ASSERT_TRUE(disk.Make_Read_Only());
    platform::Single_Instance read_only(disk.Path());
    EXPECT_EQ(read_only.Acquire(), platform::Lock_Outcome::Folder_Not_Writable);
}
