// The print history reader: the input is a history file, then after a NUL
// byte another one. Every job line read is written back and must read the
// same; the files are filtered and merged, and the merge keeps every job.
#include "fuzz_support.h"
#include "printing/print_history.h"
#include "store/cp932.h"
#include "store/text_helpers.h"

#include <QDate>

namespace {

printing::History_Entry Without_Control_Chars(printing::History_Entry e)
{
    for (QString* field : {&e.time, &e.product_no, &e.product_name, &e.layout, &e.copies, &e.printer, &e.base,
                           &e.date_line, &e.result, &e.reason, &e.file})
        *field = store::Strip_Control_Chars(*field);
    return e;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype split = input.indexOf('\0');
    const QByteArrayView first = split < 0 ? QByteArrayView(input) : QByteArrayView(input).first(split);
    const QByteArrayView second = split < 0 ? QByteArrayView() : QByteArrayView(input).sliced(split + 1);

    const printing::History_Log log(store::Decode_Cp932(first));
    for (int i = 0; i < log.Size(); ++i) {
        const printing::History_Entry entry = Without_Control_Chars(log.Entry(i));
        if (printing::Read_History_Line(printing::History_Line(entry)) != entry)
            fuzz_support::Fail("a job line does not read back as it was written");
    }
    printing::Filter_History(log, {QStringLiteral("1"), QStringLiteral("餅"), QDate(2024, 3, 1), QDate(2024, 3, 31)});

    const QByteArray merged = printing::Merge_History_Files(first, second);
    const printing::History_Log merged_log(store::Decode_Cp932(merged));
    if (merged_log.Size() < log.Size() || merged_log.Size() < printing::History_Log(store::Decode_Cp932(second)).Size())
        fuzz_support::Fail("the merged history lost jobs");
    return 0;
}
