#include "label_fixtures.h"

#include "layouts/default_layouts.h"

#include <QFile>

#include <cstdlib>

namespace render_fixtures {

products::Product_Record Filled_Product()
{
    using namespace products;
    Product_Record p;
    p[Product_No] = QStringLiteral("0001");
    p[Layout_Name] = QStringLiteral("標準01 65x45");
    p[Product_Name] = QStringLiteral("品名:苺のショートケーキ");
    p[Category_Name] = QStringLiteral("名称:洋生菓子");
    p[Ingredients] = QStringLiteral("原材料名:小麦粉、砂糖、鶏卵、生クリーム、苺、バター、洋酒/膨張剤、香料、"
                                    "<b>(一部に乳成分・卵・小麦を含む)</b>");
    p[Extra1] = QStringLiteral("添加物:<u>なし</u>");
    p[Extra2] = QStringLiteral("製造所:山田製菓本店");
    p[Contents] = QStringLiteral("内容量:1");
    p[Contents_Unit] = QStringLiteral("個");
    p[Date_Kind] = QStringLiteral("消費期限:");
    p[Date_Format] = QStringLiteral("YYYY年MM月DD日");
    p[Date_Add_Days] = QStringLiteral("3");
    p[Storage] = QStringLiteral("保存方法:要冷蔵(10℃以下)");
    p[Extra3] = QStringLiteral("追加欄３:手作り品");
    p[Extra4] = QStringLiteral("追加欄４:お早めに");
    p[Responsible] = QStringLiteral("製造者:山田製菓株式会社");
    p[Extra5] = QStringLiteral("住所:東京都千代田区1-2-3");
    p[Remarks1] = QStringLiteral("備考:開封後は冷蔵");
    p[Remarks2] = QStringLiteral("お問合せ:03-1234-5678");
    p[Price_Text] = QStringLiteral("本体300円");
    p[Barcode] = QStringLiteral("4901234567894");
    p[Nutrition_Title] = QStringLiteral("栄養成分(1個当たり)");
    p[Energy] = QStringLiteral("エネルギー:250kcal");
    p[Protein] = QStringLiteral("たんぱく質:4.2g");
    p[Fat] = QStringLiteral("脂質:12.1g");
    p[Carbohydrate] = QStringLiteral("炭水化物:30.5g");
    p[Salt_Equivalent] = QStringLiteral("食塩相当量:0.2g");
    p[Nutrient_Extra1] = QStringLiteral("糖質:28.0g");
    p[Recycle1_Mark] = QStringLiteral("プラ");
    p[Recycle1_Text1] = QStringLiteral("容器");
    p[Recycle1_Text2] = QStringLiteral("フタ");
    p[Recycle2_Mark] = QStringLiteral("紙");
    p[Recycle2_Text1] = QStringLiteral("箱");
    return p;
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
    issue.year = QStringLiteral("2024");
    issue.month = QStringLiteral("3");
    issue.day = QStringLiteral("5");
    issue.hour = QStringLiteral("9");
    issue.minute = QStringLiteral("0");
    issue.add_days = QStringLiteral("3");
    issue.contents = QStringLiteral("内容量:1");
    issue.price = QStringLiteral("本体300円");
    issue.barcode = QStringLiteral("4901234567894");
    return issue;
}

const layouts::Layout_Record& Built_In_Layout(const QString& name)
{
    for (const layouts::Default_Layout& layout : layouts::Default_Layouts())
        if (layout.name == name)
            return layout.record;
    std::abort();
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
