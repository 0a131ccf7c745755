#pragma once
// A real, small tmpfs file system for tests of full disks. Mounting needs root
// (CAP_SYS_ADMIN); where it cannot be mounted, Mounted() is false and Why_Not() says why.
#include <QString>
#include <QTemporaryDir>

namespace test_support {

class Small_Tmpfs {
public:
    explicit Small_Tmpfs(int kilobytes);
    ~Small_Tmpfs();
    Small_Tmpfs(const Small_Tmpfs&) = delete;
    Small_Tmpfs& operator=(const Small_Tmpfs&) = delete;

    bool Mounted() const { return mounted_; }
    QString Why_Not() const { return why_not_; }
    QString Path() const { return mount_point_.path(); }  // without trailing "/"

    // Fills the remaining space with the file "filler"; Free() removes it again.
    void Fill() const;
    void Free() const;
    // Remounts the file system read-only.
    bool Make_Read_Only() const;

private:
    QTemporaryDir mount_point_;
    bool mounted_ = false;
    QString why_not_;
};

}  // namespace test_support
