#include "label_fixtures.h"

#include "layouts/default_layouts.h"
#include "render/label_check.h"

#include <QFile>

#include <cstdlib>

namespace render_fixtures {

products::Product_Record Filled_Product()
{
    products::Product_Record product = render::Sample_Product();
    product[products::Product_No] = QStringLiteral("0001");
    product[products::Layout_Name] = QStringLiteral("標準01 65x45");
    return product;
}

products::Product_Record Scannable_Product()
{
    products::Product_Record product = Filled_Product();
    for (int column = products::Remarks1; column <= products::Remarks2; ++column)
        product[column].clear();
    for (int column = products::Nutrition_Title; column <= products::Nutrient_Extra1; ++column)
        product[column].clear();
    return product;
}

render::Issue_Values Filled_Issue()
{
    render::Issue_Values issue;
    issue.base = QDateTime(QDate(2024, 3, 5), QTime(9, 0), Qt::UTC);
    issue.add_days = 3;
    issue.contents = QStringLiteral("内容量:1");
    issue.price = QStringLiteral("本体300円");
    issue.barcode = QStringLiteral("4901234567894");
    issue.now = kPrintedAt;
    return issue;
}

const layouts::Layout_Record& Built_In_Layout(const QString& name)
{
    for (const layouts::Default_Layout& layout : layouts::Default_Layouts())
        if (layout.name == name)
            return layout.record;
    std::abort();
}

std::string Recorded_Listing(const QString& path, const QString& listing)
{
    QFile recorded(path);
    if (qEnvironmentVariableIsSet("RECORD_FINDINGS") && recorded.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        recorded.write(listing.toUtf8());
        recorded.close();
    }
    if (!recorded.open(QIODevice::ReadOnly))
        return "(" + path.toStdString() + " cannot be read)";
    return QString::fromUtf8(recorded.readAll()).toStdString();
}

bool Copy_Mark_Pictures(const QString& data_folder)
{
    for (const char* name : {"pura00.bmp", "kami00.bmp", "pura90.bmp", "kami90.bmp"}) {
        const QString file = QString::fromLatin1(name);
        if (!QFile::copy(QStringLiteral(FOODLABEL_MARKS_DIR "/") + file, data_folder + file))
            return false;
    }
    return true;
}

}  // namespace render_fixtures
