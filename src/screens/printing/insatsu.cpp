#include "screens/printing/insatsu.h"

#include "layouts/layout_record.h"
#include "maintenance/print_check_setting.h"
#include "printing/issue_line.h"
#include "printing/print_job.h"
#include "printing/print_run.h"
#include "products/product_file.h"
#include "products/product_list.h"
#include "render/date_stamp.h"
#include "render/ean.h"
#include "screens/common/conventions.h"
#include "screens/common/entry_boxes.h"
#include "screens/common/s_preview.h"
#include "screens/common/session.h"
#include "screens/common/widget_helpers.h"
#include "screens/common/window_conventions.h"
#include "screens/printing/hakkou_rireki.h"
#include "screens/products/s_nonplu.h"
#include "store/text_helpers.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

namespace screens {

namespace {

const QString& kCaller = Insatsu::kScreenName;
constexpr int kImmediateListTwips = 6615;
constexpr int kReservationListTwips = 4620;
constexpr std::uint32_t kImmediateColour = 15329486;
constexpr int kConfirmedErrors = 5;  // errors the confirmation names; the list holds them all

QString Colour_Style(std::uint32_t number)
{
    const QColor colour = Colour_Of(number);
    return QStringLiteral("background-color: rgb(%1, %2, %3);")
        .arg(colour.red())
        .arg(colour.green())
        .arg(colour.blue());
}

}  // namespace

Insatsu::Insatsu(Session& session, QWidget* parent) : QWidget(parent), session_(session)
{
    setObjectName(kCaller);
    setWindowTitle(QStringLiteral("印 刷 処 理"));
    const QList<QPair<QLineEdit**, bool>> boxes = {
        {&Text1, false},  {&Text2, true},  {&Text3, true},   {&Text4, false}, {&Text5, false},
        {&Text6, true},   {&Text7, false}, {&Text8, false},  {&Text9, false}, {&Text10, false},
        {&Text11, false}, {&Text12, true}, {&Text13, false}, {&Text14, true}, {&Text15, false},
        {&Text16, true},  {&Text17, true}, {&Text18, false}, {&Text19, false}};
    for (int n = 1; n <= 19; ++n)
        Add_Box(*boxes[n - 1].first, n, boxes[n - 1].second);

    Combo5 = new QComboBox(this);
    Combo5->setObjectName(QStringLiteral("Combo5"));
    Combo5->addItems({render::kDateModeAdd, render::kDateModeElsewhere});
    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List2 = new QListWidget(this);
    List2->setObjectName(QStringLiteral("List2"));
    Label9 = new QLabel(QStringLiteral("■発行予約一覧■"), this);
    Label9->setObjectName(QStringLiteral("Label9"));
    Command1 = new QPushButton(this);
    Command2 = new QPushButton(QStringLiteral("印刷結果の表示"), this);
    Command3 = new QPushButton(QStringLiteral("終了する"), this);
    Command4 = new QPushButton(QStringLiteral("発行開始"), this);
    Command5 = new QPushButton(QStringLiteral("検索"), this);
    Command6 = new QPushButton(this);
    const QList<QPair<QPushButton*, const char*>> buttons = {{Command1, "Command1"}, {Command2, "Command2"},
                                                             {Command3, "Command3"}, {Command4, "Command4"},
                                                             {Command5, "Command5"}, {Command6, "Command6"}};
    for (const auto& [button, name] : buttons) {
        button->setObjectName(QString::fromLatin1(name));
        button->setAutoDefault(false);
    }
    Prv_open = Add_Prv_Open(this);
    Ret_Code = Add_Ret_Code(this);
    Command7 = new QPushButton(QStringLiteral("発行履歴"), this);
    Command7->setObjectName(QStringLiteral("Command7"));
    Label11 = new QLabel(QStringLiteral("■ラベルの確認■"), this);
    Label11->setObjectName(QStringLiteral("Label11"));
    List3 = new QListWidget(this);
    List3->setObjectName(QStringLiteral("List3"));
    List3->setWordWrap(true);
    List3->setResizeMode(QListView::Adjust);
    List3->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Build_Layout();

    connect(Command1, &QPushButton::clicked, this, &Insatsu::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Insatsu::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Insatsu::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Insatsu::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Insatsu::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &Insatsu::Command6_Click);
    connect(Combo5, &QComboBox::activated, this, &Insatsu::Combo5_Click);
    Text13->setValidator(new QRegularExpressionValidator(QRegularExpression(render::kAddDaysBoxPattern), Text13));
    for (QLineEdit* number : {Text1, Text4, Text7, Text8, Text9, Text10, Text11, Text13, Text19})
        screens::Use_As_Number_Box(number);
    for (QLineEdit* text : {Text5, Text15, Text18})
        Use_As_Text_Box(text);
    connect(Text13, &QLineEdit::textEdited, this, &Insatsu::Refresh_Date_Display);
    connect(List2, &QListWidget::itemDoubleClicked, this, &Insatsu::List2_DblClick);
    connect(List1, &QListWidget::itemDoubleClicked, this, &Insatsu::List1_DblClick);
    connect(Command7, &QPushButton::clicked, this, &Insatsu::Command7_Click);
    List2->installEventFilter(this);
    Set_Mode(false);
}

QLineEdit* Insatsu::Add_Box(QLineEdit*& box, int n, bool shown_only)
{
    box = new QLineEdit(this);
    box->setObjectName(QStringLiteral("Text%1").arg(n));
    box->setReadOnly(shown_only);
    box->installEventFilter(this);
    boxes_[n] = box;
    return box;
}

void Insatsu::Build_Layout()
{
    auto* grid = new QGridLayout;
    int row = 0;
    auto add_row = [&](const QString& caption, QWidget* field, QWidget* extra = nullptr) {
        grid->addWidget(new QLabel(caption, this), row, 0);
        if (extra) {
            auto* pair = new QHBoxLayout;
            pair->addWidget(field, 1);
            pair->addWidget(extra);
            grid->addLayout(pair, row++, 1);
        } else {
            grid->addWidget(field, row++, 1);
        }
    };
    Text1->setMaxLength(4);
    add_row(QStringLiteral("登録番号"), Text1);
    add_row(QStringLiteral("品名"), Text2);
    add_row(QStringLiteral("名称"), Text3);
    add_row(QStringLiteral("印刷枚数"), Text4);
    add_row(QStringLiteral("内容量"), Text5, Text6);
    auto* base = new QHBoxLayout;
    for (const auto& [box, unit] :
         {std::pair{Text7, "年"}, {Text8, "月"}, {Text9, "日"}, {Text10, "時"}, {Text11, "分"}}) {
        base->addWidget(box);
        base->addWidget(new QLabel(QString::fromUtf8(unit), this));
    }
    grid->addWidget(new QLabel(QStringLiteral("基準日時"), this), row, 0);
    grid->addLayout(base, row++, 1);
    add_row(QStringLiteral("期限表示"), Text12);
    add_row(QStringLiteral("加算日"), Text13);
    add_row(QStringLiteral("日付表記"), Combo5);
    add_row(QStringLiteral("責任者"), Text14);
    add_row(QStringLiteral("価格"), Text15);
    add_row(QStringLiteral("追加欄５"), Text16);
    add_row(QStringLiteral("レイアウト"), Text17);
    add_row(QStringLiteral("バーコード"), Text19);

    auto* actions = new QHBoxLayout;
    actions->addWidget(Command6);
    actions->addWidget(Command1);
    actions->addWidget(Command2);
    actions->addWidget(Command7);
    actions->addWidget(Command3);
    auto* left = new QVBoxLayout;
    left->addLayout(grid);
    left->addWidget(Label11);
    left->addWidget(List3, 1);
    left->addLayout(actions);
    left->addLayout(Build_Pdf_Row());

    auto* search = new QHBoxLayout;
    search->addWidget(Text18, 1);
    search->addWidget(Command5);
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(QStringLiteral("■商品情報一覧■"), this));
    right->addLayout(search);
    right->addWidget(List2);
    right->addWidget(Label9);
    right->addWidget(List1);
    right->addWidget(Command4);
    right->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(right, 1);
    for (QLineEdit* box : {Text7, Text8, Text9, Text10, Text11})
        box->setMaximumWidth(60);
    resize(1000, 700);
}

void Insatsu::Set_Mode(bool reservation)
{
    reservation_ = reservation;
    Command6->setText(reservation ? QStringLiteral("予約発行モード") : QStringLiteral("即時発行モード"));
    Command6->setStyleSheet(Colour_Style(reservation ? store::kWarningColour : kImmediateColour));
    Command1->setText(reservation ? QStringLiteral("登録") : QStringLiteral("印刷"));
    List1->setVisible(reservation);
    Label9->setVisible(reservation);
    Command4->setVisible(reservation);
    const int ppi = session_.desktop && session_.desktop->Screen_Pixels_Per_Inch() > 0
        ? session_.desktop->Screen_Pixels_Per_Inch()
        : 96;
    const int twips = reservation ? kReservationListTwips : kImmediateListTwips;
    List2->setFixedHeight(twips * ppi / 1440);
    // The reservation list and "発行開始" need room: on a small screen the window scrolls.
    if (isVisible())
        Refit_On_Screen(this);
}

void Insatsu::Form_Load()
{
    Centre_On_Screen(this);
    Set_Base_Boxes(render::Base_Texts_Of(session_.clock()));
    Combo5->setCurrentIndex(0);
    session_.Load_Settings();
    Fill_Product_List(products::Full_Product_List(session_.Data_Folder()));
    Text1->setText(QStringLiteral("0000"));
}

void Insatsu::Fill_Product_List(const QStringList& lines)
{
    List2->clear();
    List2->addItems(lines);
}

render::Base_Texts Insatsu::Base_Boxes() const
{
    return {Text7->text(), Text8->text(), Text9->text(), Text10->text(), Text11->text()};
}

void Insatsu::Correct_Base_Boxes()
{
    if (render::Base_Date(Base_Boxes()))
        return;
    answerer_.Notify(render::kDateFaultNotice, render::kCorrectedToToday, store::kInformationColour);
    Set_Base_Boxes(render::Base_Texts_Of(render::Base_At(session_.clock())));
}

printing::Print_Issue Insatsu::Current_Issue() const
{
    printing::Print_Issue issue;
    issue.product_no = store::Pad_Zero(Text1->text(), 4);
    issue.copies = store::Lenient_Int(Text4->text());
    render::Issue_Values& values = issue.values;
    const render::Base_Texts typed = Base_Boxes();
    if (const std::optional<QDateTime> base = render::Base_Date(typed))
        values.base = *base;
    else
        issue.base_as_typed = typed;
    values.add_days = store::Lenient_Number(Text13->text());
    values.date_mode = Combo5->currentText();
    values.contents = Text5->text();
    values.price = Text15->text();
    values.barcode = Text19->text();
    values.now = session_.clock();
    return issue;
}

void Insatsu::Load_Product(bool tell_missing)
{
    const QString number = products::Format_Product_No(Text1->text());
    Text1->setText(number);
    const auto product = products::Find_Product(session_.Data_Folder(), number);
    if (!product) {
        if (tell_missing && store::Lenient_Int(number) > 0) {
            answerer_.Notify(QStringLiteral("登録番号:") + number + QStringLiteral("は"), QStringLiteral("未登録です"));
            Text1->setFocus();
            Text1->selectAll();
        }
        return;
    }
    using namespace products;
    const QList<QPair<QLineEdit*, int>> loaded = {
        {Text17, Layout_Name},  {Text2, Product_Name}, {Text3, Category_Name},  {Text5, Contents},
        {Text6, Contents_Unit}, {Text14, Responsible}, {Text13, Date_Add_Days}, {Text16, Extra5},
        {Text15, Price_Text},   {Text19, Barcode}};
    for (const auto& [box, column] : loaded)
        box->setText(store::Strip_Control_Chars((*product)[column]));
    Combo5->setCurrentIndex((*product)[Date_Elsewhere_Note].isEmpty() ? 0 : 1);
    Refresh_Date_Display();
    Text4->setFocus();
}

void Insatsu::Refresh_Date_Display()
{
    Correct_Base_Boxes();
    const products::Product_Record product =
        products::Find_Product(session_.Data_Folder(), Text1->text()).value_or(products::Product_Record{});
    const render::Date_Line_Result date = render::Date_Line(product, Current_Issue().values);
    if (date.fault != render::Date_Fault::None)
        answerer_.Notify(render::kDateFaultNotice, render::kContinueWithToday, store::kInformationColour);
    Text12->setText(render::Date_Display(product, date));
}

void Insatsu::Combo5_Click()
{
    Refresh_Date_Display();
}

void Insatsu::List2_DblClick()
{
    QListWidgetItem* item = List2->currentItem();
    if (!item)
        return;
    Text1->setText(item->text().left(4));
    Load_Product(false);
    if (Is_Open(Prv_open))
        Command2_Click();
    Text4->setFocus();
}

void Insatsu::Text_Enter(int n)
{
    switch (n) {
    case 1:
        Load_Product(true);
        break;
    case 4:
        if (store::Lenient_Number(Text4->text()) > 0)
            Command1->setFocus();
        break;
    case 7:
    case 8:
    case 9:
    case 10:
    case 11:
        Refresh_Date_Display();
        (n == 11 ? Text5 : Box(n + 1))->setFocus();
        break;
    case 5:
        Text13->setFocus();
        break;
    case 13:
        Refresh_Date_Display();
        break;
    case 15:
        Text19->setFocus();
        break;
    case 19:
        Text19->setText(render::Check_Ean_Code(Text19->text(), answerer_));
        Text19->setCursorPosition(Text19->text().size());
        Command2->setFocus();
        break;
    case 18:
        Command5_Click();
        break;
    default:
        break;
    }
}

void Insatsu::Text19_DblClick()
{
    // The in-store code window writes its code into this screen's Text19.
    auto* window = new S_Nonplu;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->Label9->setText(kCaller);
    window->show();
}

bool Insatsu::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Label10 && event->type() == QEvent::Resize)
        Elide_Pdf_Label();
    if (watched == List2 && Is_Enter_Press(event)) {
        if (List2->currentItem() && List2->currentItem()->isSelected())
            List2_DblClick();
        return true;
    }
    for (int n = 1; n <= 19; ++n) {
        if (watched != boxes_[n])
            continue;
        if (Is_Enter_Press(event)) {
            Text_Enter(n);
            return true;  // no beep, no default button
        }
        if (event->type() == QEvent::FocusIn && (n == 1 || n == 4 || (n >= 7 && n <= 11) || n == 13))
            QTimer::singleShot(0, boxes_[n], &QLineEdit::selectAll);
        if (n == 19 && event->type() == QEvent::MouseButtonDblClick)
            Text19_DblClick();
    }
    return QWidget::eventFilter(watched, event);
}

void Insatsu::Command5_Click()
{
    const QString words = Text18->text();
    Fill_Product_List(products::Search_Product_List(session_.Data_Folder(), words));
}

void Insatsu::Command6_Click()
{
    Set_Mode(!reservation_);
    if (!reservation_) {
        reserved_.clear();
        Show_Reservations();
    }
    Text1->setFocus();
}

void Insatsu::Command1_Click()
{
    const int number = store::Lenient_Int(Text1->text());
    const int labels = store::Lenient_Int(Text4->text());
    // A negative count prints nothing either.
    if (number == 0 || labels <= 0)
        return;
    const printing::Print_Issue issue = Current_Issue();
    if (!reservation_) {
        reserved_ = {issue};
        Show_Reservations();
        Run(false);
        Text1->setFocus();
        return;
    }
    reserved_ << issue;
    Show_Reservations();
    for (QLineEdit* box : {Text2, Text3, Text5, Text6, Text12, Text13, Text14, Text15, Text16, Text17, Text19})
        box->clear();
    Combo5->setCurrentIndex(0);
    Text1->setText(QStringLiteral("0000"));
    Text1->setFocus();
}

void Insatsu::Command4_Click()
{
    Run(true);
}

void Insatsu::Show_Reservations()
{
    List1->clear();
    for (const printing::Print_Issue& issue : reserved_)
        List1->addItem(printing::Issue_Line(issue));
}

void Insatsu::Run(bool reservation)
{
    // Every label of the run is printed at the moment the run starts.
    const QDateTime now = session_.clock();
    for (printing::Print_Issue& issue : reserved_)
        issue.values.now = now;
    printing::Print_Run_Context context;
    context.data_folder = session_.Data_Folder();
    context.settings = session_.settings;
    context.printers = session_.printers;
    context.answerer = &answerer_;
    context.clock = session_.clock;
    context.told_default_page = &told_default_page_;
    QStringList written;
    context.written_files = &written;
    const printing::Print_Jobs jobs = printing::Prepare_Jobs(
        context.data_folder, reserved_, printing::Find_Geometry(context.printers, context.settings.Printer_Name()));
    if (!context.printers || !Confirm_Label_Check(jobs))
        return;
    reserved_ = printing::Run_Print(
        jobs, reservation ? printing::Print_Mode::Reservation : printing::Print_Mode::Immediate, context);
    Show_Reservations();
    Show_Written_Pdf(written);
    if (history_)  // an open history lists the jobs just printed (a reprint among them)
        history_->Refresh();
}

bool Insatsu::Confirm_Label_Check(const printing::Print_Jobs& jobs)
{
    List3->clear();
    if (jobs.empty())
        return true;
    // The jobs of a run share the printer they were prepared for.
    render::Check_Context context = Label_Check_Context(session_, jobs.front().printer);
    render::Label_Resources resources;
    context.resources = &resources;
    QStringList errors;
    for (const printing::Print_Job& job : jobs) {
        if (!job.Printable())
            continue;  // the print run tells the user
        const QString head = QStringLiteral("No.") + products::Format_Product_No(job.issue.product_no)
            + QLatin1Char(' ');
        for (const render::Finding& finding :
             render::Check_Label(*job.product, *job.layout, job.issue.values, context)) {
            auto* item = new QListWidgetItem(head + render::Finding_Line(finding), List3);
            item->setForeground(Severity_Colour(finding.severity));
            if (finding.severity == render::Severity::Error)
                errors << head + finding.message;
        }
    }
    if (errors.isEmpty() || !maintenance::Confirms_Before_Printing(session_.application_folder))
        return true;
    QStringList named = errors.mid(0, kConfirmedErrors);
    if (errors.size() > kConfirmedErrors)
        named << QStringLiteral("ほか%1件(画面の「ラベルの確認」をご覧ください)").arg(errors.size() - kConfirmedErrors);
    named << QString() << QStringLiteral("この確認は「各種設定」で止めることができます");
    return answerer_.Ask_Focusing_No(QStringLiteral("ラベルに誤りがあります"), QStringLiteral("このまま印刷しますか？"),
                                     named.join(QLatin1Char('\n')), QStringLiteral("印刷する"), QStringLiteral("戻る"));
}

void Insatsu::Command2_Click()
{
    const auto product = products::Find_Product(session_.Data_Folder(), Text1->text());
    if (!product)
        return;
    const std::optional<layouts::Layout_Record> layout = layouts::Read_Layout(session_.Data_Folder(),
                                                                              (*product)[products::Layout_Name]);
    if (!layout)
        return;
    const render::Issue_Values issue = Current_Issue().values;
    Show_Label_Preview(
        session_, this, kCaller, *product, *layout, issue,
        {QStringLiteral("ラベルの確認"), render::Check_Label(*product, *layout, issue, Label_Check_Context(session_))});
}

void Insatsu::Command3_Click()
{
    close();
}

void Insatsu::closeEvent(QCloseEvent* event)
{
    Close_Preview_Of(Prv_open);
    if (history_)
        history_->close();
    event->accept();
}

}  // namespace screens

namespace screens {

QLayout* Insatsu::Build_Pdf_Row()
{
    Label10 = new QLabel(this);
    Label10->setObjectName(QStringLiteral("Label10"));
    Label10->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Label10->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    Label10->installEventFilter(this);
    Command8 = new QPushButton(QStringLiteral("PDFを開く"), this);
    Command8->setObjectName(QStringLiteral("Command8"));
    Command9 = new QPushButton(QStringLiteral("フォルダを開く"), this);
    Command9->setObjectName(QStringLiteral("Command9"));
    connect(Command8, &QPushButton::clicked, this, &Insatsu::Command8_Click);
    connect(Command9, &QPushButton::clicked, this, &Insatsu::Command9_Click);
    auto* row = new QHBoxLayout;
    row->addWidget(Label10, 1);
    row->addWidget(Command8);
    row->addWidget(Command9);
    Show_Written_Pdf({});
    return row;
}

void Insatsu::Show_Written_Pdf(const QStringList& files)
{
    written_pdf_ = files.value(files.size() - 1);
    Label10->setToolTip(files.isEmpty()
                            ? QString()
                            : QStringLiteral("PDFファイルを書き出しました: ") + files.join(QStringLiteral("、")));
    Elide_Pdf_Label();
    for (QWidget* widget :
         {static_cast<QWidget*>(Label10), static_cast<QWidget*>(Command8), static_cast<QWidget*>(Command9)})
        widget->setVisible(!files.isEmpty());
}

// A long path is shortened in its middle, so that the row keeps the screen's
// layout; the whole text is the label's tool tip.
void Insatsu::Elide_Pdf_Label()
{
    Label10->setText(Label10->fontMetrics().elidedText(Label10->toolTip(), Qt::ElideMiddle, Label10->width()));
}

void Insatsu::Open_In_Desktop(const QString& path)
{
    if (!session_.desktop || written_pdf_.isEmpty())
        return;
    const QUrl url = QUrl::fromLocalFile(path);
    if (const QString missing = session_.desktop->Missing_Opener(url); !missing.isEmpty())
        answerer_.Report_Problem(QStringLiteral("開くためのプログラムが"), QStringLiteral("見つかりません"), missing);
    else if (!session_.desktop->Open_Url(url))
        answerer_.Report_Problem(QStringLiteral("開けませんでした"), {}, path);
}

void Insatsu::Command8_Click()
{
    Open_In_Desktop(written_pdf_);
}

void Insatsu::Command9_Click()
{
    Open_In_Desktop(QFileInfo(written_pdf_).absolutePath());
}

void Insatsu::Command7_Click()
{
    if (!history_) {
        history_ = new Hakkou_Rireki(session_,
                                     [this](const printing::History_Entry& entry) { Reserve_Reprint(entry); });
        history_->setAttribute(Qt::WA_DeleteOnClose);
    }
    history_->Form_Load();
    history_->show();
    history_->raise();
}

void Insatsu::Set_Base_Boxes(const render::Base_Texts& base)
{
    const QList<QPair<QLineEdit*, QString>> boxes = {
        {Text7, base.year}, {Text8, base.month}, {Text9, base.day}, {Text10, base.hour}, {Text11, base.minute}};
    for (const auto& [box, text] : boxes)
        box->setText(text);
}

void Insatsu::Reserve_Reprint(const printing::History_Entry& entry)
{
    if (!reservation_)
        Set_Mode(true);
    const bool registered = products::Find_Product(session_.Data_Folder(), entry.product_no).has_value();
    if (registered) {
        // A base the history line does not hold as a date leaves the boxes empty:
        // the date display of the loaded product reports it and sets them to the current moment.
        const std::optional<QDateTime> base = render::Read_Base_Text(entry.base);
        Set_Base_Boxes(base ? render::Base_Texts_Of(*base) : render::Base_Texts{});
    }
    Text1->setText(entry.product_no);
    Load_Product(true);
    if (!registered)
        return;
    Text4->setText(entry.copies);
    Command1_Click();
    raise();
    activateWindow();
}

void Insatsu::List1_DblClick()
{
    QListWidgetItem* item = List1->currentItem();
    if (!item)
        return;
    const int row = List1->row(item);
    const printing::Print_Issue issue = reserved_.takeAt(row);
    delete List1->takeItem(row);
    Set_Base_Boxes(issue.base_as_typed.value_or(render::Base_Texts_Of(issue.values.base)));
    Text1->setText(issue.product_no);
    Load_Product(false);
    Text4->setText(QString::number(issue.copies));
    Text5->setText(issue.values.contents);
    Text13->setText(render::Add_Days_Text(issue.values.add_days));
    Combo5->setCurrentText(issue.values.date_mode);
    Text15->setText(issue.values.price);
    Text19->setText(issue.values.barcode);
    Refresh_Date_Display();
    Text4->setFocus();
}

}  // namespace screens
