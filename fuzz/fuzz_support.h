#pragma once
// Shared pieces of the fuzz targets: a scratch folder that lives as long as the
// process, writing the input into it, and an answerer that says yes to everything.
#include "render/issue_values.h"
#include "store/answerer.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace fuzz_support {

// A folder of its own for this process, ending in "/" (in /dev/shm where it can be).
const QString& Scratch_Folder();

// Writes the bytes to Scratch_Folder() + name and returns the path.
QString Write_Input(const QString& name, const uint8_t* data, size_t size);

QByteArray Bytes(const uint8_t* data, size_t size);

// An issue based 2024/3/5 9:00 with these addition days.
render::Issue_Values Issue_With_Days(const QString& add_days);

class Yes_Answerer : public store::Answerer {
public:
    bool Show_Confirmation(const store::Confirmation_Request&) override { return true; }
    void Show_Message_Box(const QString&) override { }
};

// Aborts with the message: a property that must hold did not.
[[noreturn]] void Fail(const char* what);

}  // namespace fuzz_support
