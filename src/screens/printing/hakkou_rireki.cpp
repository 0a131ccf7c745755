#include "screens/printing/hakkou_rireki.h"

#include "screens/common/conventions.h"
#include "screens/common/entry_boxes.h"
#include "screens/common/session.h"
#include "screens/common/widget_helpers.h"
#include "screens/common/window_conventions.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace screens {

namespace {

const QStringList kColumns = {QStringLiteral("発行日時"),   QStringLiteral("登録番号"), QStringLiteral("品名"),
                              QStringLiteral("レイアウト"), QStringLiteral("枚数"),     QStringLiteral("プリンタ"),
                              QStringLiteral("基準日時"),   QStringLiteral("日付表示"), QStringLiteral("結果"),
                              QStringLiteral("理由"),       QStringLiteral("ファイル")};

QString Column_Text(const printing::History_Entry& e, int column)
{
    const QString* fields[] = {&e.time, &e.product_no, &e.product_name, &e.layout, &e.copies, &e.printer,
                               &e.base, &e.date_line,  &e.result,       &e.reason, &e.file};
    return *fields[column];
}

}  // namespace

void History_Model::Set_Log(printing::History_Log log)
{
    beginResetModel();
    log_ = std::move(log);
    shown_.clear();
    endResetModel();
}

void History_Model::Set_Filter(const printing::History_Filter& filter)
{
    beginResetModel();
    shown_ = printing::Filter_History(log_, filter);
    endResetModel();
}

std::optional<printing::History_Entry> History_Model::Entry_At(int row) const
{
    if (row < 0 || row >= int(shown_.size()))
        return std::nullopt;
    return log_.Entry(shown_[row]);
}

int History_Model::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(shown_.size());
}

int History_Model::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(kColumns.size());
}

QVariant History_Model::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    const std::optional<printing::History_Entry> entry = Entry_At(index.row());
    if (!entry)
        return {};
    return Column_Text(*entry, index.column());
}

QVariant History_Model::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return kColumns.value(section);
}

Hakkou_Rireki::Hakkou_Rireki(Session& session, std::function<void(const printing::History_Entry&)> reprint,
                             QWidget* parent)
    : QWidget(parent), session_(session), reprint_(std::move(reprint))
{
    setObjectName(QStringLiteral("Hakkou_Rireki"));
    setWindowTitle(QStringLiteral("発行履歴"));
    Text1 = new QLineEdit(this);
    Text2 = new QLineEdit(this);
    Text3 = new QLineEdit(this);
    Text4 = new QLineEdit(this);
    Text3->setPlaceholderText(QStringLiteral("YYYY/MM/DD"));
    Text4->setPlaceholderText(QStringLiteral("YYYY/MM/DD"));
    for (QLineEdit* number : {Text1, Text3, Text4})
        screens::Use_As_Number_Box(number);
    Use_As_Text_Box(Text2);
    List1 = new QTableView(this);
    List1->setModel(&model_);
    List1->setSelectionBehavior(QAbstractItemView::SelectRows);
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    List1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    List1->verticalHeader()->hide();
    List1->setWordWrap(false);
    List1->horizontalHeader()->setStretchLastSection(true);
    // Fixed widths: measuring the contents would read every one of thousands of rows.
    const int widths[] = {150, 70, 220, 120, 50, 110, 130, 190, 50, 220};
    for (int column = 0; column < int(std::size(widths)); ++column)
        List1->horizontalHeader()->resizeSection(column, widths[column]);
    Label5 = new QLabel(this);
    Command1 = new QPushButton(QStringLiteral("検索"), this);
    Command2 = new QPushButton(QStringLiteral("再発行"), this);
    Command3 = new QPushButton(QStringLiteral("閉じる"), this);
    Ret_Code = Add_Ret_Code(this);
    const QList<QPair<QWidget*, const char*>> named = {
        {Text1, "Text1"},   {Text2, "Text2"},       {Text3, "Text3"},       {Text4, "Text4"},      {List1, "List1"},
        {Label5, "Label5"}, {Command1, "Command1"}, {Command2, "Command2"}, {Command3, "Command3"}};
    for (const auto& [widget, name] : named)
        widget->setObjectName(QString::fromLatin1(name));
    for (QLineEdit* box : {Text1, Text2, Text3, Text4})
        box->installEventFilter(this);

    auto* filters = new QGridLayout;
    filters->addWidget(new QLabel(QStringLiteral("登録番号"), this), 0, 0);
    filters->addWidget(Text1, 0, 1);
    filters->addWidget(new QLabel(QStringLiteral("品名"), this), 0, 2);
    filters->addWidget(Text2, 0, 3);
    filters->addWidget(new QLabel(QStringLiteral("発行日"), this), 1, 0);
    filters->addWidget(Text3, 1, 1);
    filters->addWidget(new QLabel(QStringLiteral("～"), this), 1, 2, Qt::AlignCenter);
    filters->addWidget(Text4, 1, 3);
    filters->addWidget(Command1, 0, 4, 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Label5);
    buttons->addStretch();
    buttons->addWidget(Command2);
    buttons->addWidget(Command3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(List1);
    layout->addLayout(buttons);
    resize(1100, 600);

    connect(Command1, &QPushButton::clicked, this, &Hakkou_Rireki::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Hakkou_Rireki::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Hakkou_Rireki::Command3_Click);
    connect(List1, &QTableView::doubleClicked, this, &Hakkou_Rireki::Command2_Click);
}

void Hakkou_Rireki::Form_Load()
{
    Centre_On_Screen(this);
    Refresh();
}

void Hakkou_Rireki::Refresh()
{
    std::optional<printing::History_Log> log = printing::Read_History(session_.Data_Folder());
    if (!log)
        answerer_.Notify(QStringLiteral("発行履歴を読み込めませんでした"), printing::kHistoryFileName);
    model_.Set_Log(log.value_or(printing::History_Log()));
    Command1_Click();
}

bool Hakkou_Rireki::Read_Day(QLineEdit* box, QDate& day)
{
    const QString text = box->text().trimmed();
    day = QDate::fromString(text, QStringLiteral("yyyy/M/d"));
    if (text.isEmpty() || day.isValid())
        return true;
    answerer_.Notify(QStringLiteral("入力された日付が異常です"), QStringLiteral("YYYY/MM/DD で入力して下さい"));
    box->setFocus();
    box->selectAll();
    return false;
}

void Hakkou_Rireki::Command1_Click()
{
    printing::History_Filter filter;
    filter.product_no = Text1->text();
    filter.words = Text2->text();
    if (!Read_Day(Text3, filter.from) || !Read_Day(Text4, filter.to))
        return;
    model_.Set_Filter(filter);
    Label5->setText(QStringLiteral("%1件").arg(model_.rowCount()));
    if (model_.rowCount() > 0)
        List1->selectRow(0);
}

void Hakkou_Rireki::Command2_Click()
{
    const std::optional<printing::History_Entry> entry = model_.Entry_At(List1->currentIndex().row());
    if (!entry) {
        answerer_.Notify(QStringLiteral("再発行する履歴を"), QStringLiteral("リストから選択して下さい"));
        return;
    }
    reprint_(*entry);
}

void Hakkou_Rireki::Command3_Click()
{
    close();
}

bool Hakkou_Rireki::eventFilter(QObject* watched, QEvent* event)
{
    if (Is_Enter_Press(event)) {
        Command1_Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace screens
