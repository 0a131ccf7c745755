#include "layouts/layout_names.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

TEST(Layout_Names, SortedCaseInsensitivelyWithoutExtension)
{
    test_support::Temp_Folder folder;
    for (const char* name : {"b.lay", "A.lay", "c.txt", "a2.lay"})
        folder.Write(QString::fromLatin1(name), "x");
    EXPECT_EQ(layouts::Sorted_Layout_Names(folder.Data_Folder()), (QStringList{"A", "a2", "b"}));
}
