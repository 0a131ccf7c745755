#include "every_window.h"

#include "app/help_window.h"
#include "app/main_menu.h"
#include "label_fixtures.h"
#include "layouts/default_layouts.h"
#include "render/date_stamp.h"
#include "screens/common/item_box.h"
#include "screens/common/s_preview.h"
#include "screens/common/widget_helpers.h"
#include "screens/common/yousi_set.h"
#include "screens/layouts/layout_m.h"
#include "screens/maintenance/backup_screen.h"
#include "screens/maintenance/convert_screen.h"
#include "screens/maintenance/settei.h"
#include "screens/printing/hakkou_rireki.h"
#include "screens/printing/insatsu.h"
#include "screens/products/genzairyou.h"
#include "screens/products/kakudai_input.h"
#include "screens/products/mojiretsu_write.h"
#include "screens/products/s_haigou.h"
#include "screens/products/s_list.h"
#include "screens/products/s_nonplu.h"
#include "screens/products/s_touroku.h"
#include "screens/products/s_zairyou.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace app_test {

std::unique_ptr<maintenance_test::Session_Fixture> Every_Window_Session()
{
    auto fixture = std::make_unique<maintenance_test::Session_Fixture>();
    layouts::Ensure_Default_Layouts(fixture->application.Data_Folder());
    fixture->Write_Settings({QStringLiteral("Zebra"), QStringLiteral("0000"), QStringLiteral("0"), QStringLiteral("0"),
                             QStringLiteral("しない"), QStringLiteral("ぱるべりなインストールフォルダ"),
                             QStringLiteral("ソフトウェアにて生成"), QStringLiteral("中央寄せ")});
    fixture->session.Load_Settings();
    return fixture;
}
namespace {

template <typename Screen>
QWidget* Loaded(screens::Session& session)
{
    auto* screen = new Screen(session);
    screen->show();
    screen->Form_Load();
    return screen;
}

template <typename Screen>
QWidget* Shown(screens::Session& session)
{
    auto* screen = new Screen(session);
    screen->show();
    return screen;
}

}  // namespace

const std::vector<Window_Opening>& Every_Window()
{
    static const std::vector<Window_Opening> windows = {
        {QStringLiteral("MainMenu"),
         [](screens::Session& session) {
             auto* menu = new app::MainMenu(session);
             menu->Form_Load();
             menu->show();
             return static_cast<QWidget*>(menu);
         },
         true},
        {screens::S_Touroku::kScreenName, &Loaded<screens::S_Touroku>, true},
        {screens::Insatsu::kScreenName, &Loaded<screens::Insatsu>, true},
        {screens::Insatsu::kScreenName,
         [](screens::Session& session) {
             auto* screen = new screens::Insatsu(session);
             screen->show();
             screen->Form_Load();
             screen->Command6->click();
             return static_cast<QWidget*>(screen);
         },
         true, QStringLiteral("Reservation")},
        // A label 150 mm long: a picture taller than any of the two screens.
        {QStringLiteral("S_Preview"),
         [](screens::Session& session) {
             layouts::Layout_Record layout = render_fixtures::Built_In_Layout(QStringLiteral("標準01 65x45"));
             layout[layouts::Label_Length] = QStringLiteral("150");
             screens::Show_Label_Preview(session, nullptr, QStringLiteral("Insatsu"), products::Product_Record{},
                                         layout, render::Preview_Issue(products::Product_Record{}, session.clock()));
             return static_cast<QWidget*>(screens::Current_Preview());
         },
         false},
        {QStringLiteral("Hakkou_Rireki"),
         [](screens::Session& session) {
             auto* history = new screens::Hakkou_Rireki(session, [](const printing::History_Entry&) {});
             history->Form_Load();
             history->show();
             return static_cast<QWidget*>(history);
         },
         true},
        {screens::Settei::kScreenName, &Loaded<screens::Settei>, true},
        {screens::Layout_M::kScreenName, &Loaded<screens::Layout_M>, true},
        {screens::Backup::kScreenName, &Loaded<screens::Backup>, true},
        {screens::Convert::kScreenName, &Loaded<screens::Convert>, true},
        {screens::S_List::kScreenName, &Shown<screens::S_List>, true},
        {QStringLiteral("S_Nonplu"),
         [](screens::Session&) {
             auto* in_store = new screens::S_Nonplu;
             in_store->show();
             return static_cast<QWidget*>(in_store);
         },
         true},
        {screens::Genzairyou::kScreenName, &Shown<screens::Genzairyou>, true},
        {QStringLiteral("Yousi_Set"),
         [](screens::Session& session) {
             auto* paper = new screens::Yousi_Set(session);
             paper->Yobidashi->setText(QStringLiteral("Settei"));
             paper->show();
             return static_cast<QWidget*>(paper);
         },
         true},
        {screens::S_Zairyou::kScreenName, &Loaded<screens::S_Zairyou>, true},
        {screens::S_Haigou::kScreenName,
         [](screens::Session& session) {
             auto* registration = new screens::S_Touroku(session);
             registration->Form_Load();
             registration->Text1[screens::S_Touroku::kNumberBox]->setText(QStringLiteral("0001"));
             auto* recipe = new screens::S_Haigou(session, registration);
             registration->setParent(recipe, Qt::Window);  // closed with the window
             recipe->show();
             recipe->Form_Load();
             return static_cast<QWidget*>(recipe);
         },
         true},
        {QStringLiteral("Help_Window"),
         [](screens::Session&) {
             auto* help = new app::Help_Window;
             help->Open(QStringLiteral(HELP_PAGE));
             screens::Centre_On_Screen(help);
             help->show();
             return static_cast<QWidget*>(help);
         },
         false},
        {QStringLiteral("Kakudai_Input"),
         [](screens::Session& session) {
             auto* input = new screens::Kakudai_Input(session);
             input->Open(QStringLiteral("原材料名"), QStringLiteral("小麦粉"));
             input->show();
             return static_cast<QWidget*>(input);
         },
         false},
        {QStringLiteral("Mojiretsu_Write"),
         [](screens::Session& session) {
             auto* editor = new screens::Mojiretsu_Write(session);
             editor->Open(QStringLiteral("原材料名"), QStringLiteral("小麦粉"));
             editor->show();
             return static_cast<QWidget*>(editor);
         },
         true},
    };
    return windows;
}

void Add_Every_Window_Rows()
{
    QTest::addColumn<Opener>("open");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("asks");
    for (const Window_Opening& window : Every_Window())
        QTest::newRow(qPrintable(window.Row())) << window.open << window.name << window.asks;
}

}  // namespace app_test
