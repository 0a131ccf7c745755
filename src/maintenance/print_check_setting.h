#pragma once
// Whether the printing screen asks before it prints a label in which the label
// check finds an error. Kept in a file of its own in the application folder
// ("印刷前確認_v2.dat": the version line, then "確認する" or "確認しない"),
// so that user_v2.dat stays as the Windows version writes and reads it.
#include "store/outcome.h"

#include <QString>

namespace maintenance {

inline const QString kPrintCheckFileName = QStringLiteral("印刷前確認_v2.dat");
inline const QString kPrintCheckTempName = QStringLiteral("印刷前確認_v2.tmp");
inline const QString kPrintCheckVersionLine = QStringLiteral("2.00");
inline const QString kPrintCheckOn = QStringLiteral("確認する");
inline const QString kPrintCheckOff = QStringLiteral("確認しない");

// True unless the file says "確認しない": a missing, unreadable or damaged file asks.
bool Confirms_Before_Printing(const QString& application_folder);

// Writes the choice through the temporary twin; a failure's line is the reason.
store::Outcome Save_Confirms_Before_Printing(const QString& application_folder, bool confirm);

}  // namespace maintenance
