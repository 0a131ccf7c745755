#pragma once
// The layout management screen: every value of a layout file in an entry
// field or a choice; saving, renaming, deleting and importing layouts.
#include "maintenance/layout_management.h"
#include "screens/common/dialogs.h"

#include <QWidget>

#include <array>
#include <functional>
#include <initializer_list>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace screens {

struct Session;

class Layout_M : public QWidget {
    Q_OBJECT
public:
    // The name its messages and dialogs go by.
    static inline const QString kScreenName = QStringLiteral("Layout_M");
    explicit Layout_M(Session& session, QWidget* parent = nullptr);

    static constexpr int kFirstCaption = 15;  // Label1(15) .. Label1(46): the 32 style rows
    static constexpr int kHintLabel = 84;     // Label1(84): the picture size hint
    static constexpr int kPaperField = 105;   // Text1(105): the paper number

    QComboBox* Combo1 = nullptr;  // layout list
    QComboBox* Combo2 = nullptr;  // print direction
    QComboBox* Combo3 = nullptr;  // caption side of mark 1
    QComboBox* Combo4 = nullptr;  // caption side of mark 2
    std::array<QLineEdit*, kPaperField + 1> Text1{};
    std::array<QLabel*, kHintLabel + 1> Label1{};  // only 15..46 and 84 exist
    QLineEdit* Text2 = nullptr;                    // preview product number
    QPushButton* Command1 = nullptr;               // save
    QPushButton* Command2 = nullptr;               // choose background picture
    QPushButton* Command3 = nullptr;               // close
    QPushButton* Command4 = nullptr;               // delete
    QPushButton* Command5 = nullptr;               // items frame: ruled off/on
    QPushButton* Command6 = nullptr;               // items frame: all 5.5pt / 8pt
    QPushButton* Command7 = nullptr;               // items frame: all widths 100%
    QPushButton* Command8 = nullptr;               // nutrition frame: ruled off/on
    QPushButton* Command9 = nullptr;               // nutrition frame: all 5.5pt / 8pt
    QPushButton* Command10 = nullptr;              // nutrition frame: all widths 100%
    QPushButton* Command11 = nullptr;              // rename
    QPushButton* Command12 = nullptr;              // preview
    QPushButton* Command13 = nullptr;              // product list
    QPushButton* Command14 = nullptr;              // load the layout of the preview product
    QPushButton* Command15 = nullptr;              // paper selection
    QLabel* Ret_Code = nullptr;
    QLabel* Prv_open = nullptr;

    // The open-file dialog for the background picture (replaced in tests).
    std::function<QString(const QString& start_folder)> Choose_Picture;

    void Form_Load();
    void Combo1_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Ruled_Button_Click(QPushButton* button);
    void Size_Button_Click(QPushButton* button);
    void Width_Button_Click(QPushButton* button);
    void Command11_Click();
    void Command12_Click();
    void Command13_Click();
    void Command14_Click();
    void Command15_Click();
    void Text1_KeyPress_Enter(int index);
    void Text2_KeyPress_Enter();
    void Label1_DblClick(int index);
    void Text1_LostFocus(int index);
    void Import_Dropped_File(const QString& path);

    // The controls as layout fields, and back.
    maintenance::Layout_Fields Current_Fields() const;
    void Show_Fields(const maintenance::Layout_Fields& fields);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    Session& session_;

    void Build_Controls();
    // The frames of the screen, then the whole window.
    QGroupBox* Build_Label_Frame();
    QGroupBox* Build_Position_Frame();
    QGroupBox* Build_Style_Frame(const QString& title, int first_caption, int first_size_line,
                                 std::initializer_list<QPushButton*> buttons);
    QGroupBox* Build_Other_Frame();
    void Build_Layout();
    // The entry field of a layout line.
    QLineEdit* Field(int line) const;
    void Rebuild_List(bool select_last);
    void Reset_Frame_Buttons();
    // Selects and loads the layout of the preview product; false (reported) when there is none.
    bool Load_Product_Layout();
    void Redraw_Preview(QWidget* focus);
    void Update_Size_Hint();
    // Unsaved edits: saves them, discards them, or (false) goes back to them.
    bool Settle_Unsaved_Edits();
    // Saves through the name dialog; the name saved, empty when nothing was.
    QString Save_With_Name();
    // The fields and list entry as last loaded or saved.
    void Remember_Shown();
    maintenance::Layout_Fields shown_fields_;
    int shown_index_ = 0;
    Screen_Answerer answerer_{kScreenName};
};

}  // namespace screens
