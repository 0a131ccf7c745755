// The CP932 codec: decoding any bytes, encoding what was decoded, splitting
// lines and writing unchanged lines back byte for byte.
#include "fuzz_support.h"
#include "store/cp932.h"

using fuzz_support::Fail;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzz_support::Bytes(data, size);

    // Whatever bytes decode to can be encoded, and encodes to bytes that decode the same.
    const QString text = store::Decode_Cp932(bytes);
    const store::Encoded encoded = store::Encode_Cp932(text);
    if (!encoded.ok())
        Fail("decoded text cannot be encoded");
    if (store::Decode_Cp932(encoded.bytes) != text)
        Fail("encoded text decodes differently");
    if (store::Byte_Width(text) != encoded.bytes.size())
        Fail("width differs from the encoded size");

    // Unchanged lines are written back as read (line ends become CR LF).
    const store::Text_File file = store::Split_Text_Lines(bytes);
    QByteArray expected;
    for (const QByteArray& raw : file.raw_lines)
        expected += raw + "\r\n";
    QByteArray written;
    if (!store::Encode_Lines(file.lines, written, file).ok() || written != expected)
        Fail("unchanged lines are not written as read");

    // The same bytes read as UTF-16 text: counterparts keep the length; what
    // encodes decodes back to itself.
    const QString utf16(reinterpret_cast<const QChar*>(data), static_cast<qsizetype>(size / 2));
    const QString mapped = store::To_Cp932_Counterparts(utf16);
    if (mapped.size() != utf16.size())
        Fail("counterparts change the length");
    const store::Encoded from_utf16 = store::Encode_Cp932(mapped);
    if (from_utf16.ok() != store::First_Unencodable(mapped).isEmpty())
        Fail("encoding and First_Unencodable disagree");
    if (from_utf16.ok() && store::Decode_Cp932(from_utf16.bytes) != mapped)
        Fail("encodable text does not decode back to itself");
    return 0;
}
