#pragma once
// A temporary folder for one test, with helpers to read and write its files.
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace test_support {

class Temp_Folder {
public:
    Temp_Folder();
    // The folder path with a trailing "/", as data folders are written.
    QString Data_Folder() const;
    QString Path() const;  // without trailing "/"
    QString File(const QString& name) const;
    QByteArray Read(const QString& name) const;
    void Write(const QString& name, const QByteArray& bytes) const;

private:
    QTemporaryDir dir_;
};

// CP932 bytes of lines each followed by CR LF.
QByteArray Cp932_Lines(const QStringList& lines);

// Ways a file can exist and still not be readable in full.
enum class Unreadable { Folder_In_Its_Place, Input_Output_Error, No_Permission };
inline constexpr Unreadable kUnreadableKinds[] = {Unreadable::Folder_In_Its_Place, Unreadable::Input_Output_Error,
                                                  Unreadable::No_Permission};
const char* Name_Of(Unreadable kind);

// Replaces whatever is at `path` by such a file: a folder, a link to a file whose
// reading fails with an I/O error, or a file without read permission. False when
// the kind cannot be made here (root reads every file).
bool Make_Unreadable(const QString& path, Unreadable kind);

// What is at `path`, to compare before and after: "<folder>", the target of a
// link, or the file's bytes.
QByteArray State_Of(const QString& path);

}  // namespace test_support
