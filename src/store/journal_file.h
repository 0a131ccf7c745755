#pragma once
// A CP932 text file that only grows: lines are appended at its end, never
// rewritten. A line counts once its CR LF is on disk; what a crash left after
// the last CR LF is not a line and is dropped by the next append.
#include "store/cp932.h"

#include <QString>
#include <QStringList>

namespace store {

// Appends the lines to the file under the lock file `lock_path` (waiting up to
// ten seconds for another process that holds it; the lock of a killed process is taken over). A missing or empty file
// first gets `head_lines`. The bytes go out in one write and are synced; a
// write that fails is cut off again, so the lines before it stay as they were.
// Refuses, writing nothing, when a line holds a character without a CP932 form.
Write_Result Append_Lines(const QString& path, const QString& lock_path, const QStringList& head_lines,
                          const QStringList& lines);

// The decoded text of the file up to and including its last CR LF: its complete lines.
struct Journal_Text {
    bool opened = false;
    QString text;
};
Journal_Text Read_Complete_Text(const QString& path);

}  // namespace store
