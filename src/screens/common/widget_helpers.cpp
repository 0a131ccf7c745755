#include "screens/common/widget_helpers.h"

#include "screens/common/printer_check.h"
#include "screens/common/session.h"
#include "screens/common/window_conventions.h"
#include "store/answerer.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QThread>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>

namespace screens {

bool Select_List_Item(QListWidget* list, const QString& text)
{
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->text() == text) {
            list->setCurrentRow(i);
            return true;
        }
    }
    return false;
}

bool Select_List_Item(QComboBox* combo, const QString& text)
{
    for (int i = 0; i < combo->count(); ++i) {
        if (combo->itemText(i) == text) {
            combo->setCurrentIndex(i);
            return true;
        }
    }
    return false;
}

bool Set_Dropdown_Width(QComboBox* combo, int pixels)
{
    QAbstractItemView* view = combo->view();
    if (!view || view->minimumWidth() == pixels)
        return false;
    const int old_width = view->minimumWidth();
    view->setMinimumWidth(pixels);
    return view->minimumWidth() != old_width;
}

namespace {

QRect Available_Area(const QWidget* widget)
{
    const QScreen* screen = widget->screen() ? widget->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

// The largest client size that keeps the frame inside the area.
QSize Client_Limit(const QRect& area)
{
    return {area.width() - kBorderAllowance, area.height() - kTitleBarAllowance - kBorderAllowance};
}

// Moves the window's contents into a scroll area filling the window.
QScrollArea* Scroll_Contents(QWidget* window)
{
    static const QString kName = QStringLiteral("Fit_Scroll");
    if (auto* scroll = window->findChild<QScrollArea*>(kName, Qt::FindDirectChildrenOnly))
        return scroll;
    auto* contents = new QWidget;
    contents->setLayout(window->layout());  // takes the layout and the widgets it arranges
    auto* scroll = new QScrollArea(window);
    scroll->setObjectName(kName);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(contents);
    auto* outer = new QVBoxLayout(window);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
    // The box that gets the focus (Enter moves it along the boxes) scrolls into view.
    QObject::connect(qApp, &QApplication::focusChanged, scroll, [scroll](QWidget*, QWidget* now) {
        if (now && scroll->widget()->isAncestorOf(now))
            scroll->ensureWidgetVisible(now, 8, 8);
    });
    return scroll;
}

bool Has_Frame(const QWidget* window)
{
    return window->frameGeometry() != window->geometry();
}

// Puts the window's frame (title bar included) at the corner. Once a window
// has its native window, a plain move may place its client area there while
// the window manager has not framed it yet, leaving the title bar above the screen.
void Move_Frame(QWidget* window, const QPoint& corner)
{
    if (window->windowHandle())
        window->windowHandle()->setFramePosition(corner);
    else
        window->move(corner);
}

int Clamped(int value, int low, int high)
{
    return std::max(low, std::min(value, high));
}

// Caps the window at the area, its contents scrolling when they cannot shrink that far.
void Fit_To_Area(QWidget* window, const QRect& area)
{
    const QSize limit = Client_Limit(area);
    const QSize needed = window->minimumSizeHint().expandedTo(window->minimumSize());
    QSize size = window->size().expandedTo(needed);
    if (window->layout() && (needed.width() > limit.width() || needed.height() > limit.height())) {
        QScrollArea* scroll = Scroll_Contents(window);
        window->setMinimumSize(window->minimumSize().boundedTo(limit));
        // A direction that fits beside the other's scroll bar does not scroll.
        const int bar = window->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        const QSize contents = scroll->widget()->sizeHint() + QSize(bar, bar);
        if (contents.width() <= limit.width()) {
            scroll->setMinimumWidth(contents.width());
            size.setWidth(std::max(size.width(), contents.width()));
        }
        if (contents.height() <= limit.height()) {
            scroll->setMinimumHeight(contents.height());
            size.setHeight(std::max(size.height(), contents.height()));
        }
    }
    window->setMaximumSize(window->maximumSize().boundedTo(limit));
    window->resize(size.boundedTo(limit));
}

}  // namespace

void Centre_On_Screen(QWidget* window)
{
    const QRect area = Available_Area(window);
    if (area.isEmpty())
        return;
    Fit_To_Area(window, area);
    const QSize frame = window->size() + QSize(kBorderAllowance, kTitleBarAllowance + kBorderAllowance);
    Move_Frame(window,
               {area.x() + std::max(0, (area.width() - frame.width()) / 2),
                area.y() + std::max(0, (area.height() - frame.height()) / 2)});
}

void Refit_On_Screen(QWidget* window)
{
    const QRect area = Available_Area(window);
    if (area.isEmpty())
        return;
    const QPoint corner = window->frameGeometry().topLeft();
    Fit_To_Area(window, area);
    const QSize frame = Has_Frame(window)
        ? window->frameGeometry().size()
        : window->size() + QSize(kBorderAllowance, kTitleBarAllowance + kBorderAllowance);
    // Placed again even when it stays: resizing a window not yet framed moves its frame.
    Move_Frame(window,
               {Clamped(corner.x(), area.left(), area.right() + 1 - frame.width()),
                Clamped(corner.y(), area.top(), area.bottom() + 1 - frame.height())});
}

void Place_Beside(QWidget* window, const QWidget* box)
{
    const QRect area = Available_Area(box);
    if (area.isEmpty())
        return;
    Fit_To_Area(window, area);
    const QRect target(box->mapToGlobal(QPoint(0, 0)), box->size());
    // Narrower, down to what its contents need, when that lets it stand beside the box.
    const int room = std::max(area.right() - target.right(), target.left() - area.left()) - kBorderAllowance;
    if (window->width() > room && room >= window->minimumSizeHint().width())
        window->resize(room, window->height());
    const QSize frame = window->size() + QSize(kBorderAllowance, kTitleBarAllowance + kBorderAllowance);
    const int top = Clamped(target.top(), area.top(), area.bottom() + 1 - frame.height());
    const int left = Clamped(target.left(), area.left(), area.right() + 1 - frame.width());
    const QList<QPoint> candidates = {{target.right() + 1, top},
                                      {target.left() - frame.width(), top},
                                      {left, target.bottom() + 1},
                                      {left, target.top() - frame.height()}};
    for (const QPoint& corner : candidates) {
        if (area.contains(QRect(corner, frame))) {
            Move_Frame(window, corner);
            return;
        }
    }
    // No side has room: as far right as the screen allows.
    Move_Frame(window, {Clamped(target.right() + 1, area.left(), area.right() + 1 - frame.width()), top});
}

namespace {

// Keeps a window with the window it serves: moved by as much as that one
// moves, hidden with it and shown again with it.
class Follow_Served : public QObject {
public:
    Follow_Served(QWidget* window, QWidget* served) : QObject(window), window_(window), last_(served->pos())
    {
        served->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const auto* served = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::Move) {
            if (window_->isVisible())
                window_->move(window_->pos() + served->pos() - last_);
            last_ = served->pos();
        } else if (event->type() == QEvent::Hide && window_->isVisible()) {
            window_->hide();
            hidden_with_served_ = true;
        } else if (event->type() == QEvent::Show && hidden_with_served_) {
            window_->show();
            hidden_with_served_ = false;
        }
        return false;
    }

private:
    QWidget* window_;
    QPoint last_;
    bool hidden_with_served_ = false;
};

}  // namespace

void Place_Beside_Window(QWidget* window, QWidget* served, const QWidget* box)
{
    const QRect area = Available_Area(served);
    if (area.isEmpty())
        return;
    Fit_To_Area(window, area);
    const QRect served_frame = Has_Frame(served)
        ? served->frameGeometry()
        : QRect(served->pos(), served->size() + QSize(kBorderAllowance, kTitleBarAllowance + kBorderAllowance));
    const QSize frame = window->size() + QSize(kBorderAllowance, kTitleBarAllowance + kBorderAllowance);
    const int top = Clamped(served_frame.top(), area.top(), area.bottom() + 1 - frame.height());
    const QList<QPoint> sides = {{served_frame.right() + 1, top}, {served_frame.left() - frame.width(), top}};
    const auto beside = std::find_if(sides.begin(), sides.end(),
                                     [&](const QPoint& corner) { return area.contains(QRect(corner, frame)); });
    if (beside != sides.end())
        Move_Frame(window, *beside);
    else
        Place_Beside(window, box);
    // The owner is told to the window manager, which stacks the window in front
    // of it. Without one (the offscreen platform) Qt would hand the window's
    // focus back to the owner, so it is only told where windows are managed.
    if (QGuiApplication::platformName() != QStringLiteral("offscreen")) {
        window->winId();  // creates the window handle
        window->windowHandle()->setTransientParent(served->window()->windowHandle());
    }
    new Follow_Served(window, served);
}

QLabel* Add_Ret_Code(QWidget* screen)
{
    auto* label = new QLabel(screen);
    label->setObjectName(QStringLiteral("Ret_Code"));
    label->hide();
    return label;
}

QWidget* Find_Window(const QString& screen_name)
{
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == screen_name)
            return top;
    return nullptr;
}

QLabel* Find_Ret_Code(const QString& screen_name)
{
    // A closed window of the same name may still wait for its deletion: an open one comes first.
    QLabel* closed = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() != screen_name)
            continue;
        if (auto* label = top->findChild<QLabel*>(QStringLiteral("Ret_Code"))) {
            if (top->isVisible())
                return label;
            if (!closed)
                closed = label;
        }
    }
    return closed;
}

void Wait_For_Answer(QLabel* ret_code)
{
    Answer_Wait wait(ret_code->window());
    QPointer<QLabel> guard(ret_code);
    while (guard && guard->text().isEmpty()) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(50);
    }
}

bool Configured_Printer_Found(Session& session, store::Answerer& answerer)
{
    if (Select_Configured_Printer(session))
        return true;
    answerer.Show_Titled_Message_Box(Printer_Missing_Message(), QString());
    return false;
}

QColor Colour_Of(std::uint32_t number)
{
    return QColor(number & 0xFF, (number >> 8) & 0xFF, (number >> 16) & 0xFF);
}

QString Array_Name(const QString& name, int index)
{
    return QStringLiteral("%1(%2)").arg(name).arg(index);
}

}  // namespace screens
