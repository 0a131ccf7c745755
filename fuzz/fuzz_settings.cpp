// The settings reader on any file content, read from memory.
#include "fuzz_support.h"
#include "store/cp932.h"
#include "store/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const store::Text_File file = store::Split_Text_Lines(fuzz_support::Bytes(data, size));
    const store::Settings_Record settings = store::Settings_From_Lines(file.lines);
    store::Saved_Values(settings);
    return 0;
}
