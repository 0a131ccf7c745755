// Markup tags and date expressions on any text: the text is the markup, the
// date pattern and the addition days at once.
#include "fuzz_support.h"
#include "render/date_stamp.h"
#include "render/markup.h"
#include "store/cp932.h"
#include "store/text_helpers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = store::Decode_Cp932(fuzz_support::Bytes(data, size));
    const QDateTime base(QDate(2024, 3, 5), QTime(9, 0));

    const render::Styled_Text styled = render::Prepare_Markup_Text(text, base);
    if (styled.bold.size() < static_cast<size_t>(styled.text.size())
        || styled.underline.size() < static_cast<size_t>(styled.text.size()))
        fuzz_support::Fail("a drawn character has no style flags");
    render::Strip_Tags(text);
    render::Measure_Text_Width(text, 9, 100);

    render::Format_Stamp(base, text);
    render::Expand_Date_Expression(text, base);

    products::Product_Record product;
    product[products::Date_Format] = text;
    product[products::Date_Add_Days] = text;
    const render::Issue_Values issue = fuzz_support::Issue_With_Days(text);
    render::Date_Display(product, render::Date_Line(product, issue));
    return 0;
}
