#pragma once
// S_Preview: one composed label at twice its printed size, in a viewport of at
// most 670 screen pixels that scrolls in steps of 100 pixels. Modeless; the
// screen that opened it keeps "open" in its hidden Prv_open label meanwhile.
#include "layouts/layout_record.h"
#include "products/product_record.h"
#include "render/issue_values.h"

#include <QWidget>

class QLabel;
class QPushButton;

namespace printing {

// Sizes of the preview window for a layout, in twips and in screen pixels.
struct Preview_Geometry {
    double picture_width_twips = 0;
    double picture_height_twips = 0;
    int picture_width = 0;   // screen pixels
    int picture_height = 0;
    int viewport_height = 0;
    bool scrolls = false;    // "▼" and "▲" shown
};
constexpr int kViewportLimit = 670;  // screen pixels
constexpr int kScrollStep = 100;     // screen pixels

Preview_Geometry Compute_Preview_Geometry(const layouts::Layout_Record& layout, double twips_per_pixel);

class S_Preview : public QWidget {
    Q_OBJECT
public:
    explicit S_Preview(QWidget* parent = nullptr);

    QWidget* picFrame = nullptr;    // the viewport
    QLabel* picDraw = nullptr;      // the label picture inside it
    QPushButton* Command1 = nullptr;  // "▼"
    QPushButton* Command2 = nullptr;  // "閉じる"
    QPushButton* Command3 = nullptr;  // "▲"
    QLabel* F_Open_Moto = nullptr;  // name of the screen that opened the window

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

    // Sizes the window for the geometry and the picture, in screen pixels.
    void Arrange(const Preview_Geometry& geometry, double twips_per_pixel);

protected:
    void closeEvent(QCloseEvent* event) override;
};

// Composes the label onto the preview window and shows it for the screen
// `caller` named `caller_name` ("Insatsu", "S_Touroku" or "Layout_M"). The
// window is centred when the caller's Prv_open is not "open", else redrawn in place.
void Show_Label_Preview(QWidget* caller, const QString& caller_name, const products::Product_Record& product,
                        const layouts::Layout_Record& layout, const render::Issue_Values& issue);

// The open preview window, or null.
S_Preview* Current_Preview();

// Creates the hidden "Prv_open" label of a screen that shows previews.
QLabel* Add_Prv_Open(QWidget* screen);

}  // namespace printing
