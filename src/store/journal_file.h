#pragma once
// A CP932 text file that only grows: lines are appended at its end, never
// rewritten. Lines end in CR LF as written; a file edited elsewhere may end
// them in LF, and its last line may have no line end: every line read stays.
#include "store/cp932.h"

#include <QLockFile>
#include <QString>
#include <QStringList>

namespace store {

// The lock file of a journal, held from a successful Take() until destroyed.
class Journal_Lock {
public:
    explicit Journal_Lock(const QString& lock_path);

    // Waits up to ten seconds for another process that holds it; the lock of a
    // killed process is taken over. The error says what failed: another
    // holder, or a lock file that cannot be made (a read-only or missing
    // folder, a full disk).
    Write_Result Take(const QString& journal_path);

private:
    QString lock_path_;
    QLockFile lock_;
};

// Appends the lines to the file under the lock file `lock_path` (Journal_Lock).
// A missing or empty file first gets `head_lines`; a last line without a line
// end first gets its CR LF. The bytes go out in one write and are synced; a
// write that fails is cut off again, so the lines before it stay as they were.
// Refuses, writing nothing, when a line holds a character without a CP932 form.
Write_Result Append_Lines(const QString& path, const QString& lock_path, const QStringList& head_lines,
                          const QStringList& lines);

// The decoded text of the whole file.
struct Journal_Text {
    bool opened = false;
    QString text;
};
Journal_Text Read_Journal_Text(const QString& path);

}  // namespace store
