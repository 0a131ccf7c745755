#pragma once
// Desktop services: folders, removable drives, the screen, the browser, the user.
#include <QString>
#include <QUrl>

namespace platform {

class Desktop_Platform {
public:
    virtual ~Desktop_Platform() = default;
    virtual QString Application_Folder() const = 0;   // folder of the executable, no trailing "/"
    virtual QString Desktop_Folder() const = 0;       // no trailing "/"
    virtual QString Removable_Drive_Root() const = 0; // mount point, no trailing "/"; empty when none
    virtual int Screen_Pixels_Per_Inch() const = 0;
    virtual bool Open_Url(const QUrl& url) = 0;       // web page or folder, in the desktop's program
    virtual QString User_Name() const = 0;
};

// The real desktop of this machine.
class System_Desktop : public Desktop_Platform {
public:
    QString Application_Folder() const override;
    QString Desktop_Folder() const override;
    QString Removable_Drive_Root() const override;
    int Screen_Pixels_Per_Inch() const override;
    bool Open_Url(const QUrl& url) override;
    QString User_Name() const override;
};

// The first removable mount in a /proc/mounts text: a block device that
// /sys reports removable, or a mount under /media/ or /run/media/.
// `sys_block` is the /sys/block folder (a parameter so that tests can fake it).
QString Find_Removable_Mount(const QString& mounts_text, const QString& sys_block);

}  // namespace platform
