#pragma once
// The values of one issue of labels, read and checked where they are entered
// (the printing screen, a reprint, the command line): base date and time,
// addition days, date mode and the texts that belong to the issue rather than
// to the product.
#include <QDateTime>
#include <QString>

namespace render {

inline const QString kDateModeAdd = QStringLiteral("加算日計算");
inline const QString kDateModeElsewhere = QStringLiteral("別途記載表示");

struct Issue_Values {
    // Base date and time (基準日時), to the minute, as wall-clock time (Qt::UTC,
    // so that no time zone moves it); invalid when none was given.
    QDateTime base;
    double add_days = 0;               // 加算日: whole days and a fraction of a day
    QString date_mode = kDateModeAdd;  // 日付表記
    QString contents;                  // 内容量 of this issue (the product's unit follows it)
    QString price;                     // 価格
    QString barcode;                   // バーコード digits
    // The moment the labels are printed at, as the clock read it when the
    // issue was taken up: the base when none is valid, and what "<d>"
    // expressions show.
    QDateTime now;

    bool operator==(const Issue_Values&) const = default;
};

}  // namespace render
