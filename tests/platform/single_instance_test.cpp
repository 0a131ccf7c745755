#include "platform/single_instance.h"

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
        const char ok = running.Acquire() ? '1' : '0';
        (void)!write(ready[1], &ok, 1);
        pause();
        _exit(0);
    }
    char ok = 0;
    ASSERT_TRUE(read(ready[0], &ok, 1) == 1);
    ASSERT_EQ(ok, '1');
    platform::Single_Instance second(dir.Path());
    EXPECT_FALSE(second.Acquire());
    kill(first, SIGKILL);
    waitpid(first, nullptr, 0);
    // The dead copy's lock is stale and is taken over.
    platform::Single_Instance after(dir.Path());
    EXPECT_TRUE(after.Acquire());
}
