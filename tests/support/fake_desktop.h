#pragma once
// A desktop double: folders and screen facts set by the test, opened URLs recorded.
#include "platform/desktop_platform.h"

#include <QList>
#include <QUrl>

namespace test_support {

class Fake_Desktop : public platform::Desktop_Platform {
public:
    QString application_folder;
    QString desktop_folder;
    QString removable_drive_root;
    int pixels_per_inch = 96;
    QList<QUrl> opened;
    QString missing_opener;  // what Missing_Opener says for every URL

    QString Application_Folder() const override { return application_folder; }
    QString Desktop_Folder() const override { return desktop_folder; }
    QString Removable_Drive_Root() const override { return removable_drive_root; }
    int Screen_Pixels_Per_Inch() const override { return pixels_per_inch; }
    bool Open_Url(const QUrl& url) override
    {
        opened << url;
        return true;
    }
    QString Missing_Opener(const QUrl&) const override { return missing_opener; }
    QString User_Name() const override { return QStringLiteral("tester"); }
};

}  // namespace test_support
