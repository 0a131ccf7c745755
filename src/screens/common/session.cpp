#include "screens/common/session.h"

namespace screens {

store::Folder_Context Session::Folder_Context() const
{
    store::Folder_Context context;
    context.application_folder = application_folder;
    context.removable_drive_root = removable_drive_root;
    context.desktop_folder = desktop ? desktop->Desktop_Folder() : QString();
    return context;
}

QString Session::Data_Folder() const
{
    return store::Working_Data_Folder(settings.Data_Location(), Folder_Context());
}

void Session::Load_Settings()
{
    settings = store::Load_Settings(application_folder);
}

void Session::Refresh_Removable_Drive_Root()
{
    removable_drive_root = desktop ? desktop->Removable_Drive_Root() : QString();
}

}  // namespace screens
