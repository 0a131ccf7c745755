// The product file reader on any file content, read from memory.
#include "fuzz_support.h"
#include "products/product_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray file = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const QString& line : products::Product_Lines_In(file)) {
        const products::Product_Record record = products::Split_Product_Line(line);
        products::Join_Product_Line(record);
    }
    products::Next_Product_No_In(file);
    products::Find_Product_In(file, QStringLiteral("1"));
    products::Product_File_Problem(file);
    return 0;
}
