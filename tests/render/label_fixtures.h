#pragma once
// A product with every item filled, the issue values that go with it, and the
// built-in layouts by name: the labels the rendering tests and benchmarks draw.
#include "layouts/layout_record.h"
#include "products/product_record.h"
#include "render/issue_values.h"

#include <QString>

#include <string>

namespace render_fixtures {

products::Product_Record Filled_Product();
// The filled product without the remarks and nutrition rows that some
// built-in layouts put over the barcode.
products::Product_Record Scannable_Product();
// The moment the tests' labels are printed at.
inline const QDateTime kPrintedAt(QDate(2024, 3, 5), QTime(9, 30, 15));
render::Issue_Values Filled_Issue();  // 2024/3/5 9:00, 3 days, EAN-13 barcode, printed at kPrintedAt

// The built-in layout of that name (fails the test run when there is none).
const layouts::Layout_Record& Built_In_Layout(const QString& name);

// The listing kept in the file (UTF-8), to compare with the one made now;
// with RECORD_FINDINGS=1 the file is first rewritten with `listing`, to be
// looked through before it is committed.
std::string Recorded_Listing(const QString& path, const QString& listing);

// Copies the four recycling-mark pictures into the folder (ending in "/").
bool Copy_Mark_Pictures(const QString& data_folder);

}  // namespace render_fixtures
