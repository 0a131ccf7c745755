#pragma once
// Hakkou_Rireki ("発行履歴"): the print history, newest first, filtered by
// product number, 品名 words and a range of days; a selected job can be
// issued again through the printing screen's reservation list.
#include "printing/print_history.h"
#include "screens/common/dialogs.h"

#include <QAbstractTableModel>
#include <QWidget>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace screens {

struct Session;

// The filtered history as the window's table shows it.
class History_Model : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void Set_Log(printing::History_Log log);
    void Set_Filter(const printing::History_Filter& filter);
    // The entry of a row; none for a row that is not shown.
    std::optional<printing::History_Entry> Entry_At(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    printing::History_Log log_;
    std::vector<int> shown_;  // indexes into the log
};

class Hakkou_Rireki : public QWidget {
    Q_OBJECT
public:
    // `reprint` takes a job to issue again (into the printing screen).
    explicit Hakkou_Rireki(Session& session, std::function<void(const printing::History_Entry&)> reprint,
                           QWidget* parent = nullptr);

    QLineEdit* Text1 = nullptr;  // 登録番号
    QLineEdit* Text2 = nullptr;  // 品名 words
    QLineEdit* Text3 = nullptr;  // first day, YYYY/MM/DD
    QLineEdit* Text4 = nullptr;  // last day
    QTableView* List1 = nullptr;
    QLabel* Label5 = nullptr;         // number of jobs shown
    QPushButton* Command1 = nullptr;  // 検索
    QPushButton* Command2 = nullptr;  // 再発行
    QPushButton* Command3 = nullptr;  // 閉じる
    QLabel* Ret_Code = nullptr;

    // Reads the history of the data folder and shows it filtered as the boxes say.
    void Form_Load();
    // Reads the history again (after a print) and shows it with the same filter, in place.
    void Refresh();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Session& session_;

    // A day box as a date; false (after telling) when it holds no valid day.
    bool Read_Day(QLineEdit* box, QDate& day);

    History_Model model_;
    std::function<void(const printing::History_Entry&)> reprint_;
    Screen_Answerer answerer_{QStringLiteral("Hakkou_Rireki")};
};

}  // namespace screens
