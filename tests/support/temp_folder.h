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

}  // namespace test_support
