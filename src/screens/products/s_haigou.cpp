#include "screens/products/s_haigou.h"

#include "screens/common/entry_boxes.h"
#include "screens/common/item_box.h"
#include "screens/common/screen_helpers.h"
#include "screens/common/session.h"
#include "screens/common/widget_helpers.h"
#include "screens/common/window_conventions.h"
#include "screens/products/s_touroku.h"
#include "screens/products/s_zairyou.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace screens {
namespace {

enum Recipe_Column { kMaterialColumn, kLabelColumn, kGramsColumn };
enum Compare_Column { kItemColumn, kCurrentColumn, kComputedColumn };

const QString kPerPiece = QStringLiteral("1個当たり");
const QString kPer100g = QStringLiteral("100g当たり");
const QString kSummaryForm = QStringLiteral("一括表示");
const QString kIndividualForm = QStringLiteral("個別表示");

QTableWidgetItem* Cell(const QString& text, bool editable = false)
{
    auto* item = new QTableWidgetItem(text);
    if (!editable)
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

int Box_Of_Column(int column)
{
    for (int box = 0; box < S_Touroku::kTextBoxes; ++box) {
        if (Column_Of_Text_Box(box) == column)
            return box;
    }
    return -1;
}

}  // namespace

S_Haigou::S_Haigou(Session& session, S_Touroku* opener, QWidget* parent)
    : QWidget(parent, Qt::Window), session_(session), opener_(opener)
{
    setObjectName(kScreenName);
    setWindowTitle(QStringLiteral("配合から表示を計算"));
    setAttribute(Qt::WA_DeleteOnClose);
    Build_Controls();
    Build_Layout();
}

void S_Haigou::Build_Controls()
{
    const auto line = [this](const char* name) { return Chained_Line_Edit(this, name); };
    const auto button = [this](const QString& text, const char* name) { return Named_Button(this, text, name); };
    const auto combo = [this](const QStringList& options, const char* name) {
        auto* c = new QComboBox(this);
        c->setObjectName(QString::fromLatin1(name));
        c->addItems(options);
        c->installEventFilter(this);
        connect(c, &QComboBox::currentIndexChanged, this, &S_Haigou::Recompute);
        return c;
    };
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Text1 = line("Text1");
    Text1->setPlaceholderText(QStringLiteral("材料名 (ひらがな・カタカナ・漢字、一部でも)"));
    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->installEventFilter(this);
    Text2 = line("Text2");
    Text2->setPlaceholderText(QStringLiteral("重さ(g)"));
    screens::Use_As_Number_Box(Text2);
    Command1 = button(QStringLiteral("追加"), "Command1");
    Grid1 = new QTableWidget(0, 3, this);
    Grid1->setObjectName(QStringLiteral("Grid1"));
    Grid1->setHorizontalHeaderLabels({QStringLiteral("材料"), QStringLiteral("表示名"), QStringLiteral("重さ(g)")});
    Grid1->horizontalHeader()->setSectionResizeMode(kMaterialColumn, QHeaderView::Stretch);
    Grid1->verticalHeader()->hide();
    Command2 = button(QStringLiteral("行を削除"), "Command2");
    Text3 = line("Text3");
    Combo1 = combo({kPerPiece, kPer100g}, "Combo1");
    Text4 = line("Text4");
    Text5 = line("Text5");
    for (QLineEdit* box : {Text3, Text4, Text5}) {
        screens::Use_As_Number_Box(box);
        connect(box, &QLineEdit::textChanged, this, &S_Haigou::Recompute);
    }
    Combo2 = combo({kSummaryForm, kIndividualForm}, "Combo2");
    Grid2 = new QTableWidget(0, 3, this);
    Grid2->setObjectName(QStringLiteral("Grid2"));
    Grid2->setHorizontalHeaderLabels(
        {QStringLiteral("項目"), QStringLiteral("現在の商品"), QStringLiteral("配合から計算")});
    Grid2->horizontalHeader()->setSectionResizeMode(kCurrentColumn, QHeaderView::Stretch);
    Grid2->horizontalHeader()->setSectionResizeMode(kComputedColumn, QHeaderView::Stretch);
    Grid2->verticalHeader()->hide();
    Grid2->setWordWrap(true);
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setWordWrap(true);
    Label2->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Command3 = button(QStringLiteral("材料の登録"), "Command3");
    Command4 = button(QStringLiteral("配合を保存"), "Command4");
    Command5 = button(QStringLiteral("商品に反映"), "Command5");
    Command6 = button(QStringLiteral("閉じる"), "Command6");
    Ret_Code = Add_Ret_Code(this);

    connect(Text1, &QLineEdit::textChanged, this, &S_Haigou::Text1_Change);
    connect(List1, &QListWidget::itemDoubleClicked, this, [this] { Text2->setFocus(); });
    connect(Grid1, &QTableWidget::itemChanged, this, &S_Haigou::Recompute);
    connect(Command1, &QPushButton::clicked, this, &S_Haigou::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &S_Haigou::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &S_Haigou::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &S_Haigou::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &S_Haigou::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &S_Haigou::Command6_Click);
}

void S_Haigou::Build_Layout()
{
    const auto caption = [this](const QString& text, const char* name) {
        auto* label = new QLabel(text, this);
        label->setObjectName(QString::fromLatin1(name));
        return label;
    };
    auto* add_row = new QHBoxLayout;
    add_row->addWidget(Text2, 1);
    add_row->addWidget(Command1);
    auto* left = new QVBoxLayout;
    left->addWidget(caption(QStringLiteral("材料を探す"), "Caption1"));
    left->addWidget(Text1);
    left->addWidget(List1, 2);
    left->addLayout(add_row);
    left->addWidget(caption(QStringLiteral("配合"), "Caption2"));
    left->addWidget(Grid1, 3);
    left->addWidget(Command2);

    auto* sale = new QGridLayout;
    sale->addWidget(caption(QStringLiteral("できあがり重量(g)"), "Caption3"), 0, 0);
    sale->addWidget(Text3, 0, 1);
    sale->addWidget(caption(QStringLiteral("販売単位"), "Caption4"), 0, 2);
    sale->addWidget(Combo1, 0, 3);
    sale->addWidget(caption(QStringLiteral("1回に作る個数"), "Caption5"), 1, 0);
    sale->addWidget(Text4, 1, 1);
    sale->addWidget(caption(QStringLiteral("1個の重さ(g)"), "Caption6"), 1, 2);
    sale->addWidget(Text5, 1, 3);
    sale->addWidget(caption(QStringLiteral("アレルゲン"), "Caption7"), 2, 0);
    sale->addWidget(Combo2, 2, 1);
    auto* right = new QVBoxLayout;
    right->addLayout(sale);
    right->addWidget(Grid2, 1);
    right->addWidget(Label2);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 2);
    columns->addLayout(right, 3);
    QVBoxLayout* layout = Window_Layout(this, QStringLiteral("配合から栄養成分表示・原材料名を計算"));
    layout->addWidget(Label1);
    layout->addLayout(columns, 1);
    Add_Button_Row(layout, {Command3, Command4, Command5}, Command6);
    resize(1180, 680);
}

void S_Haigou::Form_Load()
{
    Centre_On_Screen(this);
    product_no_ = opener_ ? products::Format_Product_No(opener_->Text1[S_Touroku::kNumberBox]->text()) : QString();
    const products::Product_Record product = opener_ ? opener_->Record_From_Screen() : products::Product_Record{};
    Label1->setText(QStringLiteral("登録番号 %1  %2").arg(product_no_, product[products::Product_Name]));
    fit_context_ = Label_Check_Context(session_);
    dictionary_ = recipes::Read_Allergen_Dictionary(session_.program_folder, session_.Data_Folder())
                      .value_or(recipes::Allergen_Dictionary{});
    Read_Materials();
    QString error;
    const std::optional<recipes::Recipe> recipe = recipes::Find_Recipe(session_.Data_Folder(), product_no_, &error);
    if (!error.isEmpty())
        answerer_.Report_Problem(QStringLiteral("配合ファイルを読めません"), QStringLiteral("保存はできません"), error);
    recipes::Recipe shown;
    shown.product_no = product_no_;
    Show_Recipe(recipe.value_or(shown));
    Text1->setFocus();
}

void S_Haigou::Read_Materials()
{
    const recipes::Materials_File file = recipes::Read_Materials(session_.Data_Folder());
    if (!file.ok())
        answerer_.Report_Problem(QStringLiteral("材料ファイルを読めません"), QStringLiteral("保存はできません"),
                                 file.error);
    std::vector<recipes::Material> kept = file.materials;
    for (const recipes::Material& m : materials_) {  // table foods added here and not stored yet
        if (!file.Find(m.code) && !m.Is_Own())
            kept.push_back(m);
    }
    materials_ = std::move(kept);
}

void S_Haigou::Show_Recipe(const recipes::Recipe& recipe)
{
    {
        const QSignalBlocker grid(Grid1);
        Grid1->setRowCount(0);
        for (const recipes::Recipe_Line& line : recipe.lines) {
            const auto at = std::find_if(materials_.begin(), materials_.end(),
                                         [&](const recipes::Material& m) { return m.code == line.code; });
            recipes::Material material;
            material.code = line.code;
            material.name = line.code;
            Add_Line(at != materials_.end() ? *at : material, line.grams);
        }
        const QSignalBlocker texts3(Text3), texts4(Text4), texts5(Text5), combo1(Combo1), combo2(Combo2);
        Text3->setText(recipes::Number_Text(recipe.batch_grams > 0 ? std::optional(recipe.batch_grams) : std::nullopt));
        Combo1->setCurrentIndex(recipe.unit == recipes::Sale_Unit::Per_100g ? 1 : 0);
        Text4->setText(recipe.pieces > 0 ? QString::number(recipe.pieces) : QString());
        Text5->setText(recipes::Number_Text(recipe.piece_grams > 0 ? std::optional(recipe.piece_grams) : std::nullopt));
        Combo2->setCurrentIndex(recipe.allergen_form == recipes::Allergen_Form::Individual ? 1 : 0);
    }
    Recompute();
}

void S_Haigou::Add_Line(const recipes::Material& material, double grams)
{
    const QSignalBlocker blocker(Grid1);
    const int row = Grid1->rowCount();
    Grid1->insertRow(row);
    QTableWidgetItem* name = Cell(material.name);
    name->setData(Qt::UserRole, material.code);
    Grid1->setItem(row, kMaterialColumn, name);
    Grid1->setItem(row, kLabelColumn,
                   Cell(material.label_name + (material.additive ? QStringLiteral(" (添加物)") : QString())));
    Grid1->setItem(row, kGramsColumn, Cell(recipes::Number_Text(grams), true));
}

void S_Haigou::Text1_Change()
{
    QString error;
    found_ = Search_Materials(session_, Text1->text(), materials_, 100, &error);
    List1->clear();
    for (const recipes::Material& m : found_)
        List1->addItem(m.name + QStringLiteral("  → ") + m.label_name);
    if (!error.isEmpty())
        Label2->setText(error);
}

void S_Haigou::Command1_Click()
{
    const int row = List1->currentRow() >= 0 ? List1->currentRow() : 0;
    if (row >= static_cast<int>(found_.size())) {
        answerer_.Notify(QStringLiteral("追加する材料を"), QStringLiteral("探して選択して下さい"));
        Text1->setFocus();
        return;
    }
    const std::optional<std::optional<double>> grams = recipes::Parse_Amount(Text2->text());
    if (!grams || !*grams || **grams <= 0) {
        answerer_.Notify(QStringLiteral("重さ(g)を数字で入力して下さい"));
        Text2->setFocus();
        return;
    }
    const recipes::Material material = recipes::Taken_Material(found_[row], materials_, Session_Food_Table(session_),
                                                               dictionary_);
    if (std::none_of(materials_.begin(), materials_.end(),
                     [&](const recipes::Material& m) { return m.code == material.code; }))
        materials_.push_back(material);
    Add_Line(material, **grams);
    Text2->clear();
    Text1->selectAll();
    Text1->setFocus();
    Recompute();
}

void S_Haigou::Command2_Click()
{
    const int row = Grid1->currentRow();
    if (row < 0) {
        answerer_.Notify(QStringLiteral("削除する行を"), QStringLiteral("配合から選択して下さい"));
        return;
    }
    Grid1->removeRow(row);
    Recompute();
}

void S_Haigou::Command3_Click()
{
    if (!materials_window_) {
        materials_window_ = new S_Zairyou(session_);
        materials_window_->on_materials_changed = [this] {
            Read_Materials();
            if (const std::optional<recipes::Recipe> recipe = Recipe_From_Screen(false))
                Show_Recipe(*recipe);  // the lines show the corrected names
        };
        materials_window_->Form_Load();
    }
    materials_window_->show();
    materials_window_->activateWindow();
}

std::optional<recipes::Recipe> S_Haigou::Recipe_From_Screen(bool tell)
{
    recipes::Recipe recipe;
    recipe.product_no = product_no_;
    const auto amount = [&](QLineEdit* box, const QString& what) -> std::optional<double> {
        const std::optional<std::optional<double>> value = recipes::Parse_Amount(box->text());
        if (!value && tell) {
            answerer_.Notify(what + QStringLiteral("を数字で入力して下さい"));
            box->setFocus();
        }
        return value ? std::optional(value->value_or(0)) : std::nullopt;
    };
    for (int row = 0; row < Grid1->rowCount(); ++row) {
        const std::optional<std::optional<double>> grams =
            recipes::Parse_Amount(Grid1->item(row, kGramsColumn)->text());
        if (!grams) {
            if (tell)
                answerer_.Notify(QStringLiteral("「%1」の重さを数字で入力して下さい")
                                     .arg(Grid1->item(row, kMaterialColumn)->text()));
            return std::nullopt;
        }
        recipe.lines.push_back({Grid1->item(row, kMaterialColumn)->data(Qt::UserRole).toString(), grams->value_or(0)});
    }
    const std::optional<double> batch = amount(Text3, QStringLiteral("できあがり重量"));
    const std::optional<double> pieces = amount(Text4, QStringLiteral("1回に作る個数"));
    const std::optional<double> piece = amount(Text5, QStringLiteral("1個の重さ"));
    if (!batch || !pieces || !piece)
        return std::nullopt;
    recipe.batch_grams = *batch;
    recipe.pieces = static_cast<int>(*pieces);
    recipe.piece_grams = *piece;
    recipe.unit = Combo1->currentText() == kPer100g ? recipes::Sale_Unit::Per_100g : recipes::Sale_Unit::Per_Piece;
    recipe.allergen_form = Combo2->currentText() == kIndividualForm ? recipes::Allergen_Form::Individual
                                                                    : recipes::Allergen_Form::Summary;
    return recipe;
}

void S_Haigou::Recompute()
{
    const std::optional<recipes::Recipe> recipe = Recipe_From_Screen(false);
    Grid2->setRowCount(0);
    changes_.clear();
    fit_problems_.clear();
    if (!recipe) {
        Label2->setText(QStringLiteral("数字でない入力があります"));
        return;
    }
    const bool uses_table = std::any_of(materials_.begin(), materials_.end(),
                                        [](const recipes::Material& m) { return !m.Is_Own(); });
    label_ = recipes::Compute_Label(*recipe, materials_, uses_table ? Session_Food_Table(session_) : nullptr,
                                    dictionary_);
    if (!label_.ok()) {
        Label2->setText(label_.problems.join(QLatin1Char('\n')));
        return;
    }
    const products::Product_Record product = opener_ ? opener_->Record_From_Screen() : products::Product_Record{};
    changes_ = recipes::Proposed_Changes(product, label_);
    if (opener_) {
        fit_problems_ = recipes::Fit_Problems(product, recipes::Apply_Changes(product, changes_),
                                              opener_->Layout_Lines(), fit_context_, session_.clock());
    }
    for (const recipes::Item_Change& change : changes_) {
        const int row = Grid2->rowCount();
        Grid2->insertRow(row);
        Grid2->setItem(row, kItemColumn, Cell(change.item));
        Grid2->setItem(row, kCurrentColumn, Cell(change.current));
        QTableWidgetItem* computed = Cell(change.computed);
        if (change.Changes())
            computed->setForeground(QColor(0, 0, 192));
        Grid2->setItem(row, kComputedColumn, computed);
    }
    Grid2->resizeRowsToContents();
    QStringList notes = fit_problems_;
    if (!label_.origin_notice.isEmpty())
        notes << label_.origin_notice;
    if (!label_.missing.isEmpty())
        notes << QStringLiteral("成分表に値のない成分(0として計算): ") + label_.missing.join(QStringLiteral("、"));
    Label2->setText(notes.join(QLatin1Char('\n')));
}

bool S_Haigou::Store(const recipes::Recipe& recipe)
{
    std::vector<recipes::Material> unstored;
    const recipes::Materials_File file = recipes::Read_Materials(session_.Data_Folder());
    for (const recipes::Recipe_Line& line : recipe.lines) {
        const auto at = std::find_if(materials_.begin(), materials_.end(),
                                     [&](const recipes::Material& m) { return m.code == line.code; });
        if (at != materials_.end() && !file.Find(at->code))
            unstored.push_back(*at);
    }
    if (!unstored.empty()) {
        const store::Outcome stored = recipes::Store_Materials(session_.Data_Folder(), unstored);
        if (!stored.Is_Done()) {
            answerer_.Tell(stored);
            return false;
        }
    }
    const store::Outcome outcome = recipes::Store_Recipe(session_.Data_Folder(), recipe);
    if (!outcome.Is_Done())
        answerer_.Tell(outcome);
    return outcome.Is_Done();
}

void S_Haigou::Command4_Click()
{
    const std::optional<recipes::Recipe> recipe = Recipe_From_Screen(true);
    if (recipe && Store(*recipe))
        answerer_.Notify(QStringLiteral("配合を保存しました"), {}, store::kInformationColour);
}

void S_Haigou::Command5_Click()
{
    const std::optional<recipes::Recipe> recipe = Recipe_From_Screen(true);
    if (!recipe)
        return;
    Recompute();
    if (!label_.ok()) {
        answerer_.Notify(QStringLiteral("配合から計算できません"), label_.problems.value(0));
        return;
    }
    if (!opener_) {
        answerer_.Notify(QStringLiteral("商品情報の登録画面が閉じられています"));
        return;
    }
    if (!fit_problems_.isEmpty()
        && !answerer_.Ask(QStringLiteral("表示がラベルに収まりません"), QStringLiteral("このまま反映しますか？"),
                          fit_problems_.join(QLatin1Char('\n'))))
        return;
    if (!Store(*recipe))
        return;
    for (const recipes::Item_Change& change : changes_) {
        if (const int box = Box_Of_Column(change.column); box >= 0)
            opener_->Text1[box]->setText(change.computed);
    }
    answerer_.Notify(QStringLiteral("商品の項目に反映しました"), QStringLiteral("保存は「入力情報を登録」で"),
                     store::kInformationColour);
    Recompute();
}

void S_Haigou::Command6_Click()
{
    close();
}

QWidget* S_Haigou::Next_In_Chain(QWidget* from) const
{
    const QList<QWidget*> chain = {Text3, Combo1, Text4, Text5, Combo2, Command5};
    if (from == Text1 || from == List1)
        return Text2;
    return Next_In_List(chain, from);
}

bool S_Haigou::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Text2 && Is_Enter_Press(event)) {
        Command1_Click();
        return true;
    }
    Pick_First_Found(watched, event, Text1, List1);
    if (Follow_Enter_Chain(watched, event, [this](QWidget* from) { return Next_In_Chain(from); }))
        return true;
    return QWidget::eventFilter(watched, event);
}

}  // namespace screens
