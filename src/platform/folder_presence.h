#pragma once
// Which running copies of the program use a data folder. Each window holds a
// lock file of its own in the folder while it runs; another copy finds the
// lock files that a live process holds. The single-instance lock cannot tell:
// it lives in the application folder, or for an installed copy in the user's
// runtime folder, so two logins of one user, or two computers sharing a
// folder, run one window each on the same data.
#include <QLockFile>
#include <QString>
#include <QStringList>

#include <memory>

namespace platform {

class Folder_Presence {
public:
    // Nothing is written until Announce.
    explicit Folder_Presence(const QString& data_folder);

    // Creates this copy's lock file in the folder; false when it cannot be made
    // (a read-only folder: the copy is then not seen by others).
    bool Announce();

    // Marks this copy's lock file as alive again: a copy on another computer
    // cannot see whether the process runs, and takes a lock file that was not
    // renewed for kStaleMs as left over. Call at least every kRenewMs.
    void Renew();

    // The other running copies that use the folder, one line each ("ホスト h、
    // プロセス番号 p、ユーザー u"); lock files of copies that ended are removed.
    QStringList Other_Copies() const;

    static constexpr int kRenewMs = 60 * 1000;
    static constexpr int kStaleMs = 3 * kRenewMs;

private:
    QString folder_;
    std::unique_ptr<QLockFile> own_;
};

}  // namespace platform
