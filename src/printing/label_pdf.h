#pragma once
// One label as a PDF file of its own size, without any printer: what the
// command line's "pdf" command writes.
#include "layouts/layout_record.h"
#include "products/product_record.h"
#include "render/issue_values.h"
#include "store/answerer.h"
#include "store/settings.h"

namespace printing {

// Composes the product on the layout with the issue values onto one page the
// size of the label and writes it to `path`, replacing that file. Failed (the
// reason in the second line) when the file cannot be written.
store::Outcome Write_Label_Pdf(const QString& path, const products::Product_Record& product,
                               const layouts::Layout_Record& layout, const render::Issue_Values& issue,
                               const store::Settings_Record& settings, const QString& data_folder,
                               store::Answerer& answerer);

// What is at a path the user named for a PDF: nothing (a new file), a PDF or
// empty file, which is replaced (`replaced` says what it is), or something
// that must not be replaced (`refusal` says what it is): a symbolic link, a
// folder, a device or other file that is not a regular one, a file that is not
// a PDF (said to be one of the data when it lies in one of `own_folders`, the
// data and application folders).
struct Pdf_Output_Check {
    QString refusal;
    QString replaced;
};
Pdf_Output_Check Check_Pdf_Output(const QString& path, const QStringList& own_folders);

}  // namespace printing
