#pragma once
// Tells a screen that a data file it shows was saved by another copy of the
// program (or by another window of this one): the folder is watched, since a
// save renames a new file over the old one, and the file's identity (inode,
// size, modification time) is compared with the one last seen. Check() does
// the same comparison at once, for screens that look when they are used
// (a shared folder of another computer sends no change notices).
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

namespace screens {

class Data_File_Watcher : public QObject {
    Q_OBJECT
public:
    explicit Data_File_Watcher(QObject* parent = nullptr);

    // Watches the file from now on, taking its present state as seen.
    void Watch(const QString& path);
    // Emits Changed when the file differs from the state last seen.
    void Check();

signals:
    void Changed();

private:
    struct State {
        bool exists = false;
        quint64 inode = 0;
        qint64 size = 0;
        qint64 modified_ns = 0;
        bool operator==(const State&) const = default;
    };
    static State State_Of(const QString& path);

    QString path_;
    State seen_;
    QFileSystemWatcher watcher_;
    QTimer settle_;  // a save touches the folder several times: look once it is done
};

}  // namespace screens
