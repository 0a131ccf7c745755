#pragma once
// The data part of start-up: settings file, data folder and the default files.
#include "platform/single_instance.h"
#include "store/data_folder.h"
#include "store/settings.h"

#include <QStringList>

namespace app {

// Creates, in this order, each missing data file with its default contents:
// the product file, the strings file, the word table and the eight standard
// layouts. Existing files are never touched. Returns the errors of files that
// could not be created (each naming its file), empty when all is well.
QStringList Create_Missing_Files(const QString& data_folder);

// Copies each picture ("*.bmp") shipped in the program folder into the
// application folder when it is missing there: the first start of an installed
// copy, whose application folder is the user's data folder. Existing pictures
// are never touched. Returns the errors of pictures that could not be copied.
QStringList Copy_Missing_Pictures(const QString& program_folder, const QString& application_folder);

struct Startup_Result {
    store::Settings_Record settings;
    QString data_folder;
    QStringList errors;  // settings or data files that could not be created
};

// Steps 5 and 7 of start-up: settings file (created with defaults when missing),
// then the data folder's default files; staging folders that an interrupted
// restore left in the data folder, and temporary twins of rewrites that ended
// with their process, are removed (never those of a running copy).
Startup_Result Prepare_Data(const store::Folder_Context& context);

// What the user is told when the lock of the application folder is not
// acquired: a running copy, or a folder that cannot be written (named).
QString Lock_Refusal_Message(platform::Lock_Outcome outcome, const QString& application_folder);

}  // namespace app
