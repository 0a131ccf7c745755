// The recipe file reader on any file content. Every recipe read is written
// back as a line that reads the same; storing a recipe into the file keeps
// every other product's recipe, and a file that cannot be read is left byte
// for byte as it was.
#include "fuzz_support.h"
#include "recipes/recipe_file.h"

#include <QFile>

namespace {

const QString& Folder()
{
    return fuzz_support::Scratch_Folder();
}

QByteArray File_Bytes()
{
    QFile file(Folder() + recipes::kRecipesFileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

recipes::Recipe Stored_Recipe()
{
    recipes::Recipe r;
    r.product_no = QStringLiteral("0042");
    r.lines = {{QStringLiteral("01015"), 200}, {QStringLiteral("U0001"), 12.5}};
    r.batch_grams = 900;
    r.pieces = 10;
    return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz_support::Write_Input(recipes::kRecipesFileName, data, size);
    const recipes::Recipes_File before = recipes::Read_Recipes(Folder());
    for (const recipes::Recipe& recipe : before.recipes) {
        const QString line = recipes::Recipe_Line_Text(recipe);
        const std::optional<recipes::Recipe> again = recipes::Parse_Recipe_Line(line);
        if (!again || recipes::Recipe_Line_Text(*again) != line)
            fuzz_support::Fail("a recipe does not read back as it was written");
    }

    const QByteArray bytes = File_Bytes();
    const store::Outcome stored = recipes::Store_Recipe(Folder(), Stored_Recipe());
    if (!before.ok()) {
        if (stored.Is_Done() || File_Bytes() != bytes)
            fuzz_support::Fail("a damaged recipe file was written over");
        return 0;
    }
    const recipes::Recipes_File after = recipes::Read_Recipes(Folder());
    const recipes::Recipe* found = after.Find(Stored_Recipe().product_no);
    if (!after.ok() || !found || *found != Stored_Recipe())
        fuzz_support::Fail("the stored recipe cannot be read back");
    for (const recipes::Recipe& recipe : before.recipes) {
        if (recipe.product_no != Stored_Recipe().product_no && !after.Find(recipe.product_no))
            fuzz_support::Fail("storing a recipe lost another product's");
    }
    return 0;
}
