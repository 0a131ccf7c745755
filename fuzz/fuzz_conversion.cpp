// The version 1.08 product file: recognised from its first line, each line
// converted into a product.
#include "fuzz_support.h"
#include "maintenance/conversion.h"
#include "store/cp932.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = fuzz_support::Write_Input(maintenance::kOldProductFileName, data, size);
    if (maintenance::Check_Old_File(path) == maintenance::Old_File_Check::Unreadable)
        fuzz_support::Fail("the old product file was not read");
    for (const QString& line : store::Split_Text_Lines(fuzz_support::Bytes(data, size)).lines)
        products::Join_Product_Line(maintenance::Convert_Old_Record(line));
    return 0;
}
