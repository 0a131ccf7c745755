#include "maintenance/settings_rules.h"

#include "maintenance/data_files.h"

namespace maintenance {

Printer_Presets Printer_Change_Rule(const QString& printer_name)
{
    Printer_Presets presets{QStringLiteral("端寄せ"), std::nullopt};
    const auto contains_any = [&printer_name](std::initializer_list<QString> parts) {
        for (const QString& part : parts) {
            if (printer_name.contains(part))
                return true;
        }
        return false;
    };
    if (contains_any({QStringLiteral("Lesprit"), QStringLiteral("lesprit"), QStringLiteral("ﾚｽﾌﾟﾘ"),
                      QStringLiteral("レスプリ"), QStringLiteral("L'esprit")})) {
        presets.paper_set_position = QStringLiteral("中央寄せ");
        presets.max_print_width = QStringLiteral("101.6");
    }
    if (contains_any({QStringLiteral("FI212T"), QStringLiteral("EtVie")})) {
        presets.paper_set_position = QStringLiteral("中央寄せ");
        presets.max_print_width = QStringLiteral("50.8");
    }
    return presets;
}

QString Location_Change_Target(const QString& data_location, const store::Folder_Context& context)
{
    if (data_location == Data_Location_Names().first())
        return context.removable_drive_root.isEmpty() ? QString() : context.removable_drive_root + QLatin1Char('/');
    return store::Resolve_Data_Folder(data_location, context);
}

store::Write_Result Change_Data_Location(const QString& old_location, const QString& new_location,
                                         const store::Folder_Context& context)
{
    const QString target = Location_Change_Target(new_location, context);
    if (target.isEmpty())
        return {QStringLiteral("%1 が見つかりません").arg(new_location)};
    return Copy_Data_Files(store::Working_Data_Folder(old_location, context), target);
}

}  // namespace maintenance
