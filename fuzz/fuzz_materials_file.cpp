// The materials file reader on any file content. Every material read is
// written back as a line that reads the same; storing a material into the
// file keeps every material it held, and a file that cannot be read is left
// byte for byte as it was.
#include "fuzz_support.h"
#include "recipes/materials.h"

#include <QFile>

namespace {

const QString& Folder()
{
    return fuzz_support::Scratch_Folder();
}

QByteArray File_Bytes()
{
    QFile file(Folder() + recipes::kMaterialsFileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

recipes::Material Stored_Material()
{
    recipes::Material m;
    m.code = QStringLiteral("U9999");
    m.name = QStringLiteral("あん");
    m.label_name = QStringLiteral("あん");
    m.values[0] = 250.5;
    return m;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz_support::Write_Input(recipes::kMaterialsFileName, data, size);
    const recipes::Materials_File before = recipes::Read_Materials(Folder());
    for (const recipes::Material& material : before.materials) {
        const QString line = recipes::Material_Line(material);
        const std::optional<recipes::Material> again = recipes::Parse_Material_Line(line);
        if (!again || recipes::Material_Line(*again) != line)
            fuzz_support::Fail("a material does not read back as it was written");
    }

    const QByteArray bytes = File_Bytes();
    const store::Outcome stored = recipes::Store_Materials(Folder(), {Stored_Material()});
    if (!before.ok()) {
        if (stored.Is_Done() || File_Bytes() != bytes)
            fuzz_support::Fail("a damaged materials file was written over");
        return 0;
    }
    const recipes::Materials_File after = recipes::Read_Materials(Folder());
    if (!after.ok() || !after.Find(Stored_Material().code))
        fuzz_support::Fail("the stored material cannot be read back");
    for (const recipes::Material& material : before.materials) {
        if (material.code != Stored_Material().code && !after.Find(material.code))
            fuzz_support::Fail("storing a material lost another one");
    }
    return 0;
}
