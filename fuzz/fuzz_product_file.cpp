// The product file reader: any file content read as products.
#include "fuzz_support.h"
#include "products/product_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz_support::Write_Input(products::kProductFileName, data, size);
    const QString& folder = fuzz_support::Scratch_Folder();
    for (const QString& line : products::Read_Product_Lines(folder)) {
        const products::Product_Record record = products::Split_Product_Line(line);
        products::Join_Product_Line(record);
    }
    products::Next_Product_No(folder);
    products::Find_Product(folder, QStringLiteral("1"));
    return 0;
}
