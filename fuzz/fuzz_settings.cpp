// The settings reader on any file content.
#include "fuzz_support.h"
#include "store/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz_support::Write_Input(store::kSettingsFileName, data, size);
    bool opened = false;
    const store::Settings_Record settings = store::Load_Settings(fuzz_support::Scratch_Folder(), &opened);
    if (!opened)
        fuzz_support::Fail("the settings file was not read");
    store::Saved_Values(settings);
    return 0;
}
