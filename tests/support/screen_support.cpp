#include "support/screen_support.h"

#include "store/cp932.h"

namespace maintenance_test {

Test_Printers::Test_Printers()
    : Fake_Printer_Platform({{QStringLiteral("Zebra"), {QPageSize(QPageSize::A4)}},
                             {QStringLiteral("Lesprit T2"), {QPageSize(QPageSize::A4)}},
                             {QStringLiteral("SATO FI212T"), {QPageSize(QPageSize::A4)}}})
{
}

Session_Fixture::Session_Fixture()
{
    desktop.application_folder = application.Path();
    desktop.desktop_folder = desktop_folder.Path();
    session.desktop = &desktop;
    session.printers = &printers;
    session.application_folder = application.Path();
    Write_Settings({QString(), QStringLiteral("0000"), QStringLiteral("0"), QStringLiteral("0"),
                    QStringLiteral("しない"), QStringLiteral("ぱるべりなインストールフォルダ"),
                    QStringLiteral("ソフトウェアにて生成"), QStringLiteral("中央寄せ"), QString()});
    session.Load_Settings();
}

void Session_Fixture::Write_Settings(const QStringList& lines) const
{
    QStringList all = lines;
    while (all.size() < 15)
        all << QString();
    application.Write(QStringLiteral("user_v2.dat"), test_support::Cp932_Lines(all));
}

QStringList Session_Fixture::Settings_Lines() const
{
    return store::Read_Text_Lines(application.File(QStringLiteral("user_v2.dat"))).lines;
}

}  // namespace maintenance_test
