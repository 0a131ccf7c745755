#include "screens/common/s_preview.h"

#include "render/label_pictures.h"
#include "screens/common/conventions.h"
#include "screens/common/dialogs.h"
#include "screens/common/session.h"
#include "screens/common/widget_helpers.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace screens {
namespace {

const QString kPrvOpen = QStringLiteral("Prv_open");

constexpr int kFrameOffset = 45;             // twips: the viewport's top and left
constexpr int kButtonGap = 80;               // twips below the viewport
constexpr int kCloseFromRight = 1360;        // twips
constexpr int kDownFromLeft = 1450;          // twips
constexpr int kButtonWidth = 1215;           // twips
constexpr int kButtonHeight = 495;           // twips
constexpr int kExtraHeight = 1100;           // twips of the window below and above the viewport
constexpr int kExtraWidth = 350;             // twips
constexpr int kFindingsGap = 8;              // screen pixels between the picture and the findings
constexpr int kTitleHeight = 22;             // screen pixels
constexpr int kFindingsMinimumHeight = 240;  // screen pixels of the window with findings
const QColor kLabelEdgeColour(128, 128, 128);

QPointer<S_Preview>& Open_Window()
{
    static QPointer<S_Preview> window;
    return window;
}

QLabel* Prv_Open_Of(const QString& screen_name)
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == screen_name)
            if (auto* label = widget->findChild<QLabel*>(kPrvOpen))
                return label;
    return nullptr;
}

bool Is_Editing_Screen(const QString& caller_name)
{
    return caller_name == QStringLiteral("S_Touroku") || caller_name == QStringLiteral("Layout_M");
}

int Screen_Ppi(const Session& session)
{
    const int ppi = session.desktop ? session.desktop->Screen_Pixels_Per_Inch() : 0;
    return ppi > 0 ? ppi : 96;
}

int Pixels(double twips, double twips_per_pixel)
{
    return static_cast<int>(std::lround(twips / twips_per_pixel));
}

// The highest viewport whose window, with its frame, fits the caller's screen.
int Viewport_Limit(const QWidget* caller, double twips_per_pixel)
{
    const QScreen* screen = caller && caller->screen() ? caller->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return kViewportLimit;
    const int room = screen->availableGeometry().height() - kTitleBarAllowance - kBorderAllowance
        - Pixels(kExtraHeight, twips_per_pixel);
    return std::clamp(room, kScrollStep, kViewportLimit);
}

}  // namespace

QColor Severity_Colour(render::Severity severity)
{
    switch (severity) {
    case render::Severity::Error:
        return QColor(220, 0, 0);
    case render::Severity::Warning:
        return QColor(230, 120, 0);
    case render::Severity::Note:
        return QColor(0, 90, 200);
    }
    return Qt::black;
}

Preview_Geometry Compute_Preview_Geometry(const layouts::Layout_Record& layout, double twips_per_pixel,
                                          int viewport_limit)
{
    const QSizeF twips = render::Preview_Picture_Twips(layout);
    Preview_Geometry geometry;
    geometry.picture_width_twips = twips.width();
    geometry.picture_height_twips = twips.height();
    geometry.picture_width = Pixels(geometry.picture_width_twips, twips_per_pixel);
    geometry.picture_height = Pixels(geometry.picture_height_twips, twips_per_pixel);
    geometry.scrolls = geometry.picture_height > viewport_limit;
    geometry.viewport_height = geometry.scrolls ? viewport_limit : geometry.picture_height;
    return geometry;
}

S_Preview::S_Preview(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("S_Preview"));
    setWindowTitle(kProgramTitle);
    // A dialog's owner is told to the window manager, which keeps it in front of its owner.
    setWindowFlags(Qt::Dialog);
    setAttribute(Qt::WA_DeleteOnClose);

    picFrame = new QWidget(this);
    picFrame->setObjectName(QStringLiteral("picFrame"));
    picDraw = new QLabel(picFrame);
    picDraw->setObjectName(QStringLiteral("picDraw"));

    Command1 = new QPushButton(QStringLiteral("▼"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command2 = new QPushButton(QStringLiteral("閉じる"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command3 = new QPushButton(QStringLiteral("▲"), this);
    Command3->setObjectName(QStringLiteral("Command3"));
    F_Open_Moto = new QLabel(this);
    F_Open_Moto->setObjectName(QStringLiteral("F_Open_Moto"));
    F_Open_Moto->hide();
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setWordWrap(true);
    List1->setResizeMode(QListView::Adjust);
    List1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Label1->hide();
    List1->hide();

    connect(List1, &QListWidget::currentRowChanged, this, &S_Preview::List1_Click);
    connect(Command1, &QPushButton::clicked, this, &S_Preview::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &S_Preview::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &S_Preview::Command3_Click);
}

void S_Preview::Arrange(const Preview_Geometry& geometry, double twips_per_pixel, bool with_findings)
{
    auto px = [twips_per_pixel](double twips) { return Pixels(twips, twips_per_pixel); };
    const int frame = px(kFrameOffset);
    picFrame->setGeometry(frame, frame, geometry.picture_width, geometry.viewport_height);
    // A redraw keeps the scrolled position as far as the new picture allows.
    const int top = std::clamp(picDraw->y(), std::min(0, geometry.viewport_height - geometry.picture_height), 0);
    picDraw->setGeometry(0, top, geometry.picture_width, geometry.picture_height);

    const int buttons_top = frame + geometry.viewport_height + px(kButtonGap);
    const QSize button(px(kButtonWidth), px(kButtonHeight));
    Command2->setGeometry(QRect(QPoint(frame + geometry.picture_width - px(kCloseFromRight), buttons_top), button));
    Command1->setGeometry(QRect(QPoint(frame + px(kDownFromLeft), buttons_top), button));
    Command3->setGeometry(QRect(QPoint(frame, buttons_top), button));
    Command1->setVisible(geometry.scrolls);
    Command3->setVisible(geometry.scrolls);

    QSize size(geometry.picture_width + px(kExtraWidth), geometry.viewport_height + px(kExtraHeight));
    Label1->setVisible(with_findings);
    List1->setVisible(with_findings);
    if (with_findings) {
        const int left = frame + geometry.picture_width + kFindingsGap;
        size = QSize(left + kFindingsWidth + frame, std::max(size.height(), kFindingsMinimumHeight));
        Label1->setGeometry(left, frame, kFindingsWidth, kTitleHeight);
        List1->setGeometry(left, frame + kTitleHeight, kFindingsWidth, size.height() - 2 * frame - kTitleHeight);
    }
    setFixedSize(size);
}

void S_Preview::Show_Picture(const QImage& picture, const Label_Findings& findings, double pixels_per_mm,
                             const QRectF& label_mm)
{
    picture_ = picture;
    label_mm_ = label_mm;
    findings_ = findings.findings;
    pixels_per_mm_ = pixels_per_mm;
    const QSignalBlocker quiet(List1);
    List1->clear();
    for (const render::Finding& finding : findings_) {
        auto* item = new QListWidgetItem(render::Finding_Line(finding), List1);
        item->setForeground(Severity_Colour(finding.severity));
    }
    QStringList counts;
    for (const render::Severity severity : {render::Severity::Error, render::Severity::Warning, render::Severity::Note})
        if (const auto n = std::count_if(findings_.begin(), findings_.end(),
                                         [&](const render::Finding& finding) { return finding.severity == severity; }))
            counts << render::Severity_Mark(severity) + QString::number(n) + QStringLiteral("件");
    Label1->setText(findings.title + QStringLiteral("(") + counts.join(QStringLiteral("・")) + QStringLiteral(")"));
    List1_Click();
}

void S_Preview::List1_Click()
{
    std::vector<const render::Finding*> outlined;
    const int row = List1->currentRow();
    if (row >= 0 && row < static_cast<int>(findings_.size()))
        outlined.push_back(&findings_[static_cast<size_t>(row)]);
    else
        for (const render::Finding& finding : findings_)
            if (finding.severity != render::Severity::Note)
                outlined.push_back(&finding);
    Draw_Outlines(outlined);
}

void S_Preview::Draw_Outlines(const std::vector<const render::Finding*>& outlined)
{
    QImage shown = picture_;
    QPainter painter(&shown);
    if (!label_mm_.isEmpty()) {
        painter.setPen(QPen(kLabelEdgeColour, 1, Qt::DashLine));
        painter.drawRect(QRectF(label_mm_.topLeft() * pixels_per_mm_, label_mm_.size() * pixels_per_mm_));
    }
    for (const render::Finding* finding : outlined) {
        painter.setPen(QPen(Severity_Colour(finding->severity), 2));
        for (const QRectF& box : finding->boxes_mm)
            painter.drawRect(QRectF(box.topLeft() * pixels_per_mm_, box.size() * pixels_per_mm_));
    }
    painter.end();
    picDraw->setPixmap(QPixmap::fromImage(shown));
}

void S_Preview::Command1_Click()
{
    const int bottom = picFrame->height() - picDraw->height();  // Top that shows the bottom edge
    if (picDraw->y() <= bottom)
        return;
    picDraw->move(0, std::max(picDraw->y() - kScrollStep, bottom));
}

void S_Preview::Command2_Click()
{
    close();
}

void S_Preview::Command3_Click()
{
    if (picDraw->y() >= 0)
        return;
    picDraw->move(0, std::min(picDraw->y() + kScrollStep, 0));
}

void S_Preview::closeEvent(QCloseEvent* event)
{
    const QString opener = F_Open_Moto->text();
    if (opener == QStringLiteral("S_Touroku") || opener == QStringLiteral("Insatsu")
        || opener == QStringLiteral("Layout_M"))
        if (QLabel* prv_open = Prv_Open_Of(opener); prv_open && Is_Open(prv_open))
            prv_open->clear();
    event->accept();
}

namespace {

// The preview belongs to the window of its caller, so that the window manager
// keeps it in front of that window even while the user types there. The owner
// is told to the window manager when the window is mapped: a new owner means
// mapping the window again.
void Set_Owner(S_Preview* window, QWidget* caller)
{
    QWindow* owner = caller && caller->window()->windowHandle() ? caller->window()->windowHandle() : nullptr;
    window->winId();  // creates the window handle
    if (window->windowHandle()->transientParent() == owner)
        return;
    if (window->isVisible())
        window->hide();
    window->windowHandle()->setTransientParent(owner);
}

}  // namespace

void Show_Label_Preview(const Session& session, QWidget* caller, const QString& caller_name,
                        const products::Product_Record& product, const layouts::Layout_Record& layout,
                        const render::Issue_Values& issue, const Label_Findings& findings)
{
    const int ppi = Screen_Ppi(session);
    const render::Surface_Profile profile = render::Preview_Profile(ppi, Is_Editing_Screen(caller_name));
    const double twips_per_pixel = profile.twips_per_pixel_x;
    const Preview_Geometry geometry = Compute_Preview_Geometry(layout, twips_per_pixel,
                                                               Viewport_Limit(caller, twips_per_pixel));

    QPointer<S_Preview>& window = Open_Window();
    if (!window)
        window = new S_Preview;
    window->Arrange(geometry, twips_per_pixel, !findings.findings.empty());
    QLabel* prv_open = caller ? caller->findChild<QLabel*>(kPrvOpen) : nullptr;
    if (!prv_open || !Is_Open(prv_open))
        Centre_On_Screen(window);

    Set_Owner(window, caller);
    window->show();
    window->raise();
    window->picDraw->clear();
    QApplication::processEvents();

    Screen_Answerer answerer{caller_name};
    const std::shared_ptr<render::Label_Resources> resources = window->Resources();
    const render::Compose_Context context{session.settings, session.Data_Folder(), &answerer, std::nullopt,
                                          resources.get()};
    const QImage picture = render::Compose_Preview_Picture(product, layout, issue, context, profile);
    // The findings are the printed page's; their outlines lie where this picture draws the parts.
    Label_Findings outlined = findings;
    render::Check_Context drawn;
    drawn.settings = session.settings;
    drawn.data_folder = session.Data_Folder();
    drawn.resources = resources.get();
    render::Outline_Findings(outlined.findings, product, layout, issue, drawn, profile);
    if (window) {  // a notice during composition may have let the user close it
        window->Show_Picture(picture, outlined, profile.units_per_mm / twips_per_pixel, render::Label_Area(layout));
        window->F_Open_Moto->setText(caller_name);
    }
    if (prv_open)
        prv_open->setText(kOpen);
}

S_Preview* Current_Preview()
{
    return Open_Window();
}

QLabel* Add_Prv_Open(QWidget* screen)
{
    auto* label = new QLabel(screen);
    label->setObjectName(kPrvOpen);
    label->hide();
    return label;
}

}  // namespace screens
