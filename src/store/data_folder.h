#pragma once
// The data folder: where a location name points, creating missing default
// files, and the one safe way of rewriting a data file.
#include "store/cp932.h"
#include "store/outcome.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace store {

// What the location names resolve against; taken from the platform at run time,
// from temporary folders in tests.
struct Folder_Context {
    QString application_folder;                         // without trailing "/"
    QString removable_drive_root;                       // mount point without trailing "/", empty when none
    QString desktop_folder;                             // without trailing "/"
    QString drive_root_base = QStringLiteral("/mnt/");  // "Cドライブ (ルート)" -> /mnt/c/
};

// The data folder for a Data_Location text, ending in "/"; "" for an unknown text
// (file names are then relative to the current directory, the application folder).
QString Resolve_Data_Folder(const QString& data_location, const Folder_Context& context);

// The folder data files are used in: the resolved folder, or for an unknown
// location the application folder (the current directory once started).
QString Working_Data_Folder(const QString& data_location, const Folder_Context& context);

// True when a default file belongs at `path`: no file is there, or an empty one
// that an interrupted first start left behind.
bool Needs_Default_File(const QString& path);

// Writes the lines when Needs_Default_File, under the file's lock (another copy
// starting at the same moment may be creating it, or already storing into it)
// and through one rename, so that the file appears whole or not at all; a file
// with content is never touched. Returns the error of a failed creation.
Write_Result Create_File_If_Missing(const QString& path, const QStringList& lines);

// What a rewrite does when the real file is not there. A data file that start-up
// created and that is gone now means a data folder that went away (a drive
// pulled out, unmounted with its mount point left): writing a new file there
// would hide the real one when the drive comes back, so the rewrite is refused.
enum class If_Missing { Refuse, Create };

// Why a data file cannot be rewritten because it is gone: the folder is missing
// or no longer holds the file.
QStringList Missing_File_Lines(const QString& data_folder, const QString& name);

// The old file's lines as a rewrite goes through them, and the new file as it
// is written: the old file is read in blocks and the new bytes go out as they
// are made, so that a large file is never held whole. A kept line goes out with
// its bytes as read (with CR LF after it, whatever ended it before), straight
// from the block it was read into, together with the kept lines around it.
class Line_Rewrite : private Line_Reader {
public:
    // A megabyte: a block stays in the processor's cache between being read
    // and written, and the calls that read and write stay few.
    static constexpr qsizetype kRewriteBlock = 1024 * 1024;

    // Reads the file at `path` in blocks of `block` bytes; nothing is written
    // before Create_Twin.
    Line_Rewrite(const QString& path, const QString& twin_path, qsizetype block = kRewriteBlock);

    using Line_Reader::error;
    using Line_Reader::failed;
    using Line_Reader::opened;

    // Creates the twin the new file is written to, on the file system of the old file.
    Write_Result Create_Twin();
    // The old file's next line, valid until the next call; false after its last.
    bool Next(QByteArrayView& line);
    // The line Next gave last goes into the new file as it was.
    void Keep();
    // A new line, with CR LF after it, goes into the new file here.
    void Add_Line(QByteArrayView bytes);
    // Bytes as they stand go into the new file here.
    void Write(QByteArrayView bytes);
    // Puts the new file in place of the old (Twin_File::Replace).
    Write_Result Replace();

private:
    void Before_Refill() override;
    void Write_Kept();

    Twin_File twin_;
    QByteArrayView line_;  // the line Next gave last
    QByteArrayView kept_;  // kept bytes of the buffer not written yet
};

// Goes through the old file (opened() false when it does not exist) and writes
// the new one: Done to put it in place, Declined to abandon the rewrite, Failed
// with its reason. The lines the step leaves unread are dropped.
using Line_Rewrite_Step = std::function<Outcome(Line_Rewrite& file)>;

// Rewrites data_folder + real_name through this process's own twin of
// data_folder + temp_name, holding the file's lock (File_Lock) from reading the
// old content to the rename, so that no other process's save in between is
// lost. The new content is written to the twin, synced, and renamed over the
// real file in one step. A declined or failed rewrite leaves the real file byte
// for byte as it was; a failure's lines are the reason. A real file that exists
// but cannot be read in full fails the rewrite, whatever the step made of the
// lines before the failure, as does a missing one unless `if_missing` is
// Create. The step must not ask the user anything: another copy waits for the
// lock meanwhile.
Outcome Rewrite_Lines_Via_Temp(const QString& data_folder, const QString& real_name, const QString& temp_name,
                               const Line_Rewrite_Step& step, If_Missing if_missing = If_Missing::Refuse);

// Produces the complete new content from the old file (opened = false when it
// does not exist). Returns false to abandon the rewrite (the user declined).
using Rewrite_Step = std::function<bool(const Text_File& old_file, QStringList& new_lines)>;

// Rewrite_Lines_Via_Temp for a step that works on the whole file's lines: each
// new line that the old file holds unchanged is written with its bytes as read
// (Encode_Lines), and a new line with a character without a CP932 form fails
// the rewrite.
Outcome Rewrite_Via_Temp(const QString& data_folder, const QString& real_name, const QString& temp_name,
                         const Rewrite_Step& step, If_Missing if_missing = If_Missing::Refuse);

// Writes the lines as the whole file at `path`, created when missing, as a
// rewrite does: under its lock, each line the old file holds unchanged with
// its bytes as read.
Write_Result Replace_File_Locked(const QString& path, const QStringList& lines);
// The same with the file's new bytes.
Write_Result Replace_Bytes_Locked(const QString& path, const QByteArray& bytes);

}  // namespace store
