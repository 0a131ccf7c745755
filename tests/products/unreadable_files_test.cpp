// A data file that exists but cannot be read in full is never rewritten: every
// operation built on a rewrite fails, names the file and the reason, and leaves
// the file as it was.
#include "products/default_data.h"
#include "products/product_file.h"
#include "products/product_list.h"
#include "products/strings_file.h"
#include "products/word_table.h"
#include "support/scripted_answerer.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <functional>

using namespace products;
using test_support::Temp_Folder;
using test_support::Unreadable;

TEST(Unreadable_Data_File, EveryRewriteFailsNamingTheFileAndChangesNothing)
{
    const struct {
        const char* operation;
        QString file;
        std::function<store::Outcome(const QString& folder)> run;
    } operations[] = {
        {"store product", kProductFileName,
         [](const QString& folder) {
             Product_Record record;
             record[Product_No] = QStringLiteral("5");
             test_support::Scripted_Answerer answerer;
             return Store_Product(folder, record, answerer);
         }},
        {"delete product", kProductFileName, [](const QString& folder) { return Delete_Product(folder, "1"); }},
        {"register word", kWordTableFileName,
         [](const QString& folder) { return Register_Word(folder, QStringLiteral("あ"), QStringLiteral("新語")); }},
        {"delete word", kWordTableFileName,
         [](const QString& folder) {
             test_support::Scripted_Answerer answerer;
             answerer.answers = {true};
             return Delete_Word(folder, QStringLiteral("新語"), answerer);
         }},
        {"register strings", kStringsFileName,
         [](const QString& folder) {
             return Register_Category_Strings(folder, QStringLiteral("品名"), {QStringLiteral("x")});
         }},
    };
    for (const auto& op : operations) {
        for (const Unreadable kind : test_support::kUnreadableKinds) {
            Temp_Folder dir;
            dir.Write(op.file, "2.00\r\n0001\tkept\r\n");
            const QString path = dir.File(op.file);
            if (!test_support::Make_Unreadable(path, kind))
                continue;  // root reads every file: no permission case
            const QByteArray before = test_support::State_Of(path);
            const store::Outcome outcome = op.run(dir.Data_Folder());
            const std::string label = std::string(op.operation) + ", " + test_support::Name_Of(kind);
            EXPECT_EQ(outcome.kind, store::Outcome::Kind::Failed) << label;
            EXPECT_TRUE(outcome.Text().contains(path)) << label << ": " << outcome.Text().toStdString();
            EXPECT_EQ(test_support::State_Of(path), before) << label;
        }
    }
}

// Reading a product file that cannot be read in full finds nothing and lists nothing.
TEST(Unreadable_Data_File, ProductQueriesFindNothing)
{
    for (const Unreadable kind : test_support::kUnreadableKinds) {
        Temp_Folder dir;
        dir.Write(kProductFileName, "2.00\r\n0001\tkept\r\n");
        if (!test_support::Make_Unreadable(dir.File(kProductFileName), kind))
            continue;
        const QString folder = dir.Data_Folder();
        EXPECT_FALSE(Find_Product(folder, QStringLiteral("1")).has_value()) << test_support::Name_Of(kind);
        EXPECT_TRUE(Full_Product_List(folder).isEmpty()) << test_support::Name_Of(kind);
        EXPECT_TRUE(Search_Product_List(folder, QString()).isEmpty()) << test_support::Name_Of(kind);
        EXPECT_EQ(Next_Product_No(folder), QStringLiteral("0001")) << test_support::Name_Of(kind);
    }
}
