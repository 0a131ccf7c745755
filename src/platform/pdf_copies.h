#pragma once
// Copies of the pages of a finished PDF file, made without drawing them again.
#include <QString>

namespace platform {

// Appends to the PDF file an update in which its pages follow one another
// `copies` times (the whole document again for each further copy). Each
// repeated page is a new page object that refers to the drawing and the
// resources of its original, so a copy costs a few hundred bytes. False, and
// the file as it was, when it is not a PDF whose cross-reference table and
// page tree this can read, or cannot be written.
bool Append_Page_Copies(const QString& pdf_path, int copies);

}  // namespace platform
