#pragma once
// S_Preview: one composed label at twice its printed size, in a viewport of at
// most 670 screen pixels that scrolls in steps of 100 pixels. Modeless; the
// screen that opened it keeps "open" in its hidden Prv_open label meanwhile.
// The label's edge is drawn around it on the picture. Beside the picture it lists what the label check found, and
// outlines the parts concerned on the picture (on the screen only, never on a label).
#include "layouts/layout_record.h"
#include "products/product_record.h"
#include "render/issue_values.h"
#include "render/label_check.h"

#include <QColor>
#include <QImage>
#include <QWidget>

#include <memory>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;

namespace screens {

struct Session;

// Sizes of the preview window for a layout, in twips and in screen pixels.
struct Preview_Geometry {
    double picture_width_twips = 0;
    double picture_height_twips = 0;
    int picture_width = 0;  // screen pixels
    int picture_height = 0;
    int viewport_height = 0;
    bool scrolls = false;  // "▼" and "▲" shown
};
constexpr int kViewportLimit = 670;  // screen pixels
constexpr int kScrollStep = 100;     // screen pixels
constexpr int kFindingsWidth = 380;  // screen pixels of the findings list beside the picture

// What the label check found, listed under its title beside the picture.
struct Label_Findings {
    QString title;
    std::vector<render::Finding> findings;
};

// The colour of a finding's line and outline: red, orange or blue.
QColor Severity_Colour(render::Severity severity);

// The viewport is at most `viewport_limit` screen pixels high (670, less on a
// screen too low for a window of that height).
Preview_Geometry Compute_Preview_Geometry(const layouts::Layout_Record& layout, double twips_per_pixel,
                                          int viewport_limit = kViewportLimit);

class S_Preview : public QWidget {
    Q_OBJECT
public:
    explicit S_Preview(QWidget* parent = nullptr);

    QWidget* picFrame = nullptr;      // the viewport
    QLabel* picDraw = nullptr;        // the label picture inside it
    QPushButton* Command1 = nullptr;  // "▼"
    QPushButton* Command2 = nullptr;  // "閉じる"
    QPushButton* Command3 = nullptr;  // "▲"
    QLabel* F_Open_Moto = nullptr;    // name of the screen that opened the window
    QLabel* Label1 = nullptr;         // title of the findings
    QListWidget* List1 = nullptr;     // the findings, one per line

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    // A selected finding alone is outlined; none selected: every error and warning.
    void List1_Click();

    // Sizes the window for the geometry and the picture, in screen pixels; the
    // findings list takes room beside the picture only when it has lines.
    void Arrange(const Preview_Geometry& geometry, double twips_per_pixel, bool with_findings = false);
    // Shows the picture with the findings, `pixels_per_mm` of the label on it,
    // and the edge of the label (`label_mm`) drawn on the screen only.
    void Show_Picture(const QImage& picture, const Label_Findings& findings, double pixels_per_mm,
                      const QRectF& label_mm = {});
    // What the labels this window shows share (pictures, fonts), kept while
    // it is open; shared, so that composing outlives a window closed meanwhile.
    std::shared_ptr<render::Label_Resources> Resources() const { return resources_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Draw_Outlines(const std::vector<const render::Finding*>& outlined);

    QImage picture_;
    std::vector<render::Finding> findings_;
    double pixels_per_mm_ = 0;
    QRectF label_mm_;
    std::shared_ptr<render::Label_Resources> resources_ = std::make_shared<render::Label_Resources>();
};

// Composes the label onto the preview window and shows it for the screen
// `caller` named `caller_name` ("Insatsu", "S_Touroku" or "Layout_M"), with
// the findings of the label check. The window is centred when the caller's
// Prv_open is not "open", else redrawn in place.
void Show_Label_Preview(const Session& session, QWidget* caller, const QString& caller_name,
                        const products::Product_Record& product, const layouts::Layout_Record& layout,
                        const render::Issue_Values& issue, const Label_Findings& findings = {});

// The open preview window, or null.
S_Preview* Current_Preview();

// Creates the hidden "Prv_open" label of a screen that shows previews.
QLabel* Add_Prv_Open(QWidget* screen);

}  // namespace screens
