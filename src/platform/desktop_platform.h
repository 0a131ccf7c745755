#pragma once
// Desktop services: folders, removable drives, the screen, the browser, the user.
#include <QString>
#include <QUrl>

namespace platform {

// Where the running copy keeps its files. A copy whose executable folder can be
// written (a build, a USB stick) keeps everything there; an installed copy keeps
// settings and data in the user's data folder and its lock in the runtime folder,
// while the help and the shipped pictures stay beside the executable.
struct Application_Place {
    QString program_folder;      // folder of the executable, no trailing "/"
    QString application_folder;  // settings and, by default, the data; no trailing "/"
    QString lock_folder;         // where the single-instance lock lives
};

Application_Place Choose_Application_Place(const QString& program_folder, bool program_folder_writable,
                                           const QString& user_data_folder, const QString& runtime_folder);

// The place of this executable: AppDataLocation and RuntimeLocation of QStandardPaths.
// The user's data folder is created when it is chosen.
Application_Place This_Application_Place();

class Desktop_Platform {
public:
    virtual ~Desktop_Platform() = default;
    virtual QString Application_Folder() const = 0;    // Application_Place::application_folder
    virtual QString Desktop_Folder() const = 0;        // no trailing "/"
    virtual QString Removable_Drive_Root() const = 0;  // mount point, no trailing "/"; empty when none
    virtual int Screen_Pixels_Per_Inch() const = 0;
    virtual bool Open_Url(const QUrl& url) = 0;  // web page or folder, in the desktop's program
    // The program that Open_Url lacks for the URL, in words for the user
    // ("xdg-open (パッケージ xdg-utils)", "application/pdf を開くプログラム");
    // empty when the desktop has one.
    virtual QString Missing_Opener(const QUrl& url) const = 0;
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
    QString Missing_Opener(const QUrl& url) const override;
    QString User_Name() const override;
};

// The first removable mount in a /proc/mounts text: a block device that
// /sys reports removable, or a mount under /media/ or /run/media/.
// `sys_block` is the /sys/block folder (a parameter so that tests can fake it).
QString Find_Removable_Mount(const QString& mounts_text, const QString& sys_block);

}  // namespace platform
