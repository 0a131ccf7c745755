#pragma once
// The layout a new product starts with on the registration screen: the
// layout last stored with a product, or one the user chose on the settings
// screen. Kept in a file of its own in the application folder
// ("新規商品レイアウト_v2.dat": the version line, the choice, the layout last
// used), so that user_v2.dat stays as the Windows version writes and reads it.
#include "layouts/default_layouts.h"
#include "store/outcome.h"

#include <QString>

namespace maintenance {

inline const QString kNewProductLayoutFileName = QStringLiteral("新規商品レイアウト_v2.dat");
inline const QString kNewProductLayoutTempName = QStringLiteral("新規商品レイアウト_v2.tmp");
inline const QString kNewProductLayoutVersionLine = QStringLiteral("2.00");
// The choice that follows the layout last used.
inline const QString kLastUsedLayoutChoice = QStringLiteral("前回使用したレイアウト");
// The choice until the user makes one (the one place to change it): the layout
// of our own on which a fully filled product with a barcode passes the check.
inline const QString kDefaultNewProductLayout = layouts::kOwn_Layout_65x45;

struct New_Product_Layout_Setting {
    QString choice = kDefaultNewProductLayout;  // kLastUsedLayoutChoice or a layout name
    QString last_used;                          // layout of the product stored last

    // The layout a new product takes ("" when the last used is not known yet).
    QString Layout() const { return choice == kLastUsedLayoutChoice ? last_used : choice; }
};

// The setting; a missing, unreadable or damaged file gives the default.
New_Product_Layout_Setting Read_New_Product_Layout(const QString& application_folder);

// Writes the setting through the temporary twin; a failure's line is the reason.
store::Outcome Save_New_Product_Layout(const QString& application_folder, const New_Product_Layout_Setting& setting);

// Notes the layout of a product just stored (the file is written only when it changes).
store::Outcome Remember_Last_Used_Layout(const QString& application_folder, const QString& layout);

}  // namespace maintenance
