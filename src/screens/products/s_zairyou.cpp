#include "screens/products/s_zairyou.h"

#include "recipes/product_recipe.h"
#include "screens/common/entry_boxes.h"
#include "screens/common/screen_helpers.h"
#include "screens/common/session.h"
#include "screens/common/widget_helpers.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace screens {
namespace {

const QChar kAllergenSeparator(u'・');

}  // namespace

S_Zairyou::S_Zairyou(Session& session, QWidget* parent) : QWidget(parent, Qt::Window), session_(session)
{
    setObjectName(kScreenName);
    setWindowTitle(QStringLiteral("材料の登録"));
    setAttribute(Qt::WA_DeleteOnClose);
    const auto line = [this](const char* name) { return Chained_Line_Edit(this, name); };
    const auto button = [this](const QString& text, const char* name) { return Named_Button(this, text, name); };
    Text1 = line("Text1");
    Text1->setPlaceholderText(QStringLiteral("ひらがな・カタカナ・漢字、名前の一部"));
    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->installEventFilter(this);
    Text2 = line("Text2");
    Text3 = line("Text3");
    Text4 = line("Text4");
    Text4->setPlaceholderText(QStringLiteral("小麦・卵・乳"));
    Check1 = new QCheckBox(QStringLiteral("添加物 (原材料名の「／」のあとに表示名で書きます)"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->installEventFilter(this);
    Text5 = line("Text5");
    Text5->setPlaceholderText(QStringLiteral("小豆、砂糖、水あめ"));
    Text6 = line("Text6");
    for (int n = 0; n < kValueBoxes; ++n) {
        Text7[n] = line(Array_Name(QStringLiteral("Text7"), n).toLatin1().constData());
        screens::Use_As_Number_Box(Text7[n]);
    }
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Command1 = button(QStringLiteral("新しい独自材料"), "Command1");
    Command2 = button(QStringLiteral("保存"), "Command2");
    Command3 = button(QStringLiteral("削除"), "Command3");
    Command4 = button(QStringLiteral("閉じる"), "Command4");
    Ret_Code = Add_Ret_Code(this);

    auto* fields = new QGridLayout;
    int r = 0;
    const auto add = [&](const QString& caption, QWidget* widget) {
        auto* label = new QLabel(caption, this);
        label->setObjectName(QStringLiteral("Caption%1").arg(r));
        fields->addWidget(label, r, 0);
        fields->addWidget(widget, r++, 1, 1, 3);
    };
    add(QStringLiteral("材料名"), Text2);
    add(QStringLiteral("表示名"), Text3);
    add(QStringLiteral("アレルゲン"), Text4);
    fields->addWidget(Check1, r++, 1, 1, 3);
    add(QStringLiteral("原材料 (複合原材料)"), Text5);
    add(QStringLiteral("原料原産地"), Text6);
    for (int n = 0; n < kValueBoxes; ++n) {
        const auto nutrient = static_cast<recipes::Nutrient>(n);
        auto* label = new QLabel(
            QStringLiteral("%1 (%2/100g)").arg(recipes::Nutrient_Name(nutrient), recipes::Nutrient_Unit(nutrient)),
            this);
        label->setObjectName(QStringLiteral("Label_Value%1").arg(n));
        fields->addWidget(label, r + n / 2, (n % 2) * 2);
        fields->addWidget(Text7[n], r + n / 2, (n % 2) * 2 + 1);
    }
    r += kValueBoxes / 2;
    fields->addWidget(Label1, r++, 0, 1, 4);
    fields->setRowStretch(r, 1);

    auto* left = new QVBoxLayout;
    auto* search_caption = new QLabel(QStringLiteral("材料を探す"), this);
    search_caption->setObjectName(QStringLiteral("Label2"));
    left->addWidget(search_caption);
    left->addWidget(Text1);
    left->addWidget(List1, 1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(fields, 1);
    QVBoxLayout* layout = Window_Layout(this, QStringLiteral("材料の登録・修正"));
    layout->addLayout(columns, 1);
    Add_Button_Row(layout, {Command1, Command2, Command3}, Command4);
    resize(900, 540);

    connect(Text1, &QLineEdit::textChanged, this, &S_Zairyou::Text1_Change);
    connect(List1, &QListWidget::currentRowChanged, this, &S_Zairyou::List1_Click);
    connect(Command1, &QPushButton::clicked, this, &S_Zairyou::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &S_Zairyou::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &S_Zairyou::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &S_Zairyou::Command4_Click);
}

void S_Zairyou::Form_Load()
{
    Centre_On_Screen(this);
    const recipes::Materials_File file = recipes::Read_Materials(session_.Data_Folder());
    if (!file.ok())
        answerer_.Report_Problem(QStringLiteral("材料ファイルを読めません"), QStringLiteral("保存はできません"),
                                 file.error);
    registered_ = file.materials;
    dictionary_ = recipes::Read_Allergen_Dictionary(session_.program_folder, session_.Data_Folder())
                      .value_or(recipes::Allergen_Dictionary{});
    Text1_Change();
    Command1_Click();
}

void S_Zairyou::Text1_Change()
{
    QString error;
    found_ = Search_Materials(session_, Text1->text(), registered_, 200, &error);
    if (!error.isEmpty())
        Label1->setText(error);
    const QSignalBlocker blocker(List1);
    List1->clear();
    for (const recipes::Material& m : found_) {
        const bool registered = std::any_of(registered_.begin(), registered_.end(),
                                            [&](const recipes::Material& r) { return r.code == m.code; });
        List1->addItem((registered ? QStringLiteral("★") : QStringLiteral("　")) + m.name + QStringLiteral("  [")
                       + m.code + QLatin1Char(']'));
    }
}

void S_Zairyou::List1_Click()
{
    const int row = List1->currentRow();
    if (row >= 0 && row < static_cast<int>(found_.size()))
        Show_Material(
            recipes::Taken_Material(found_[row], registered_, Session_Food_Table(session_, nullptr), dictionary_));
}

void S_Zairyou::Show_Material(const recipes::Material& material)
{
    shown_ = material;
    Text2->setText(material.name);
    Text3->setText(material.label_name);
    Text4->setText(material.allergens.join(kAllergenSeparator));
    Check1->setChecked(material.additive);
    Text5->setText(material.ingredients);
    Text6->setText(material.origin);
    const recipes::Food_Table* table = material.Is_Own() ? nullptr : Session_Food_Table(session_, nullptr);
    const recipes::Food* food = table ? table->Find(material.code) : nullptr;
    for (int n = 0; n < kValueBoxes; ++n) {
        const std::optional<double> value = food ? food->values[n] : material.values[n];
        Text7[n]->setText(food && !value ? QStringLiteral("-") : recipes::Number_Text(value));
        Text7[n]->setReadOnly(!material.Is_Own());
    }
    Text2->setReadOnly(!material.Is_Own());
    Label1->setText(material.Is_Own()
                        ? QStringLiteral("独自の材料 %1 (値は仕入先の資料から100g当たりで入力)").arg(material.code)
                        : QStringLiteral("食品成分表 %1 (値は成分表のもの、「-」は微量または未測定で0として計算)")
                              .arg(material.code));
}

std::optional<recipes::Material> S_Zairyou::Material_From_Screen()
{
    recipes::Material m = shown_;
    m.name = Text2->text().trimmed();
    m.label_name = Text3->text().trimmed();
    m.allergens.clear();
    for (const QString& allergen :
         Text4->text().split(QRegularExpression(QStringLiteral("[・、,，\\s]+")), Qt::SkipEmptyParts)) {
        const bool known = dictionary_.Allergens().empty() || dictionary_.Find(allergen);
        if (!known) {
            answerer_.Notify(QStringLiteral("アレルゲン「%1」は一覧にありません").arg(allergen),
                             QStringLiteral("allergens.txt の名前で入力して下さい"));
            Text4->setFocus();
            return std::nullopt;
        }
        m.allergens << allergen;
    }
    m.additive = Check1->isChecked();
    m.ingredients = Text5->text().trimmed();
    m.origin = Text6->text().trimmed();
    if (m.Is_Own()) {
        for (int n = 0; n < kValueBoxes; ++n) {
            const std::optional<std::optional<double>> value = recipes::Parse_Amount(Text7[n]->text());
            if (!value) {
                answerer_.Notify(QStringLiteral("%1の値が数字ではありません")
                                     .arg(recipes::Nutrient_Name(static_cast<recipes::Nutrient>(n))),
                                 QStringLiteral("100g当たりの量を入力して下さい"));
                Text7[n]->setFocus();
                return std::nullopt;
            }
            m.values[n] = *value;
        }
    }
    if (m.name.isEmpty() || m.label_name.isEmpty()) {
        answerer_.Notify(QStringLiteral("材料名と表示名を入力して下さい"));
        (m.name.isEmpty() ? Text2 : Text3)->setFocus();
        return std::nullopt;
    }
    return m;
}

void S_Zairyou::Command1_Click()
{
    recipes::Material fresh;
    fresh.code = recipes::Next_Own_Code(registered_);
    Show_Material(fresh);
    Text2->setFocus();
}

void S_Zairyou::Command2_Click()
{
    const std::optional<recipes::Material> material = Material_From_Screen();
    if (!material)
        return;
    const store::Outcome outcome = recipes::Store_Materials(session_.Data_Folder(), {*material});
    if (!outcome.Is_Done()) {
        answerer_.Tell(outcome);
        return;
    }
    registered_ = recipes::Read_Materials(session_.Data_Folder()).materials;
    shown_ = *material;
    answerer_.Notify(QStringLiteral("保存しました"), material->name, store::kInformationColour);
    Text1_Change();
    if (on_materials_changed)
        on_materials_changed();
}

void S_Zairyou::Command3_Click()
{
    const bool registered = std::any_of(registered_.begin(), registered_.end(),
                                        [&](const recipes::Material& r) { return r.code == shown_.code; });
    if (!registered) {
        answerer_.Notify(QStringLiteral("削除する材料を"), QStringLiteral("リストから選択して下さい"));
        return;
    }
    if (!answerer_.Ask(shown_.name, QStringLiteral("を削除します"), QStringLiteral("よろしいですか？")))
        return;
    const store::Outcome outcome = recipes::Delete_Material(session_.Data_Folder(), shown_.code);
    if (!outcome.Is_Done()) {
        answerer_.Tell(outcome);
        return;
    }
    registered_ = recipes::Read_Materials(session_.Data_Folder()).materials;
    Text1_Change();
    Command1_Click();
    if (on_materials_changed)
        on_materials_changed();
}

void S_Zairyou::Command4_Click()
{
    close();
}

QWidget* S_Zairyou::Next_In_Chain(QWidget* from) const
{
    QList<QWidget*> chain = {Text2, Text3, Text4, Check1, Text5, Text6};
    for (QLineEdit* box : Text7)
        chain << box;
    chain << Command2;
    if (from == Text1)
        return List1;
    if (from == List1)
        return Text3;
    return Next_In_List(chain, from);
}

bool S_Zairyou::eventFilter(QObject* watched, QEvent* event)
{
    Pick_First_Found(watched, event, Text1, List1);
    if (Follow_Enter_Chain(watched, event, [this](QWidget* from) { return Next_In_Chain(from); }))
        return true;
    return QWidget::eventFilter(watched, event);
}

}  // namespace screens
