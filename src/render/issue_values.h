#pragma once
// The values of one issue of labels, as the printing screen or a reservation
// line gives them: base date and time, addition days, date mode and the texts
// that belong to the issue rather than to the product.
#include <QString>

namespace render {

inline const QString kDateModeAdd = QStringLiteral("加算日計算");
inline const QString kDateModeElsewhere = QStringLiteral("別途記載表示");

struct Issue_Values {
    // Base date and time (基準日時) as the five boxes hold them; seconds are always 0.
    QString year;
    QString month;
    QString day;
    QString hour;
    QString minute;
    QString add_days;                   // 加算日: decimal days, read leniently
    QString date_mode = kDateModeAdd;   // 日付表記
    QString contents;                   // 内容量 of this issue (the product's unit follows it)
    QString price;                      // 価格
    QString barcode;                    // バーコード digits
};

}  // namespace render
