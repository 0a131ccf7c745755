#pragma once
// paruberina with a command: print, write a label PDF or list products without
// the window, from the same settings and data folder. Reads data files only;
// a print appends to the print history like the printing screen does.
#include "platform/printer_platform.h"
#include "render/clock.h"
#include "store/data_folder.h"

#include <QStringList>
#include <QTextStream>

#include <functional>
#include <map>
#include <set>

namespace app {

// `check` ends with kExitFailed when the label has an error, and with
// kExitCannotCheck when there is no label to check (an unknown product or
// layout, a printer that is not there).
enum Exit_Status { kExitDone = 0, kExitFailed = 1, kExitUsage = 2, kExitCannotCheck = 3 };

// What a command works with: the folders the settings resolve against and the printers.
struct Command_Line_Context {
    store::Folder_Context folders;
    platform::Printer_Finder* printers = nullptr;
    QString program_folder;  // where the allergen list lies, no trailing "/"
    // The moment the labels are printed, checked or written at.
    render::Clock clock = render::System_Clock();
    // Makes jobs of the built-in PDF printer write this file instead of a new
    // one in "印刷データ" (empty: new files again).
    std::function<void(const QString&)> set_pdf_output_file;
};

// The options of one command: "--name value" (or "--name=value"), flags, and
// free words. The value of an option is the argument after it, whatever it is.
struct Command_Options {
    std::map<QString, QString> values;
    std::set<QString> flags;
    QStringList words;

    QString Value(const QString& name) const;
    bool Has(const QString& name) const { return values.count(name) != 0; }
};

// A command line as read, before its values are checked: the command and its
// options, or `help` ("--help" or "-h" where a command or an option stands),
// or the usage error that makes it no command line.
struct Parsed_Command {
    QString command;
    Command_Options options;
    bool help = false;
    QString usage_error;
};
Parsed_Command Parse_Command_Line(const QStringList& arguments);

// Runs the command of `arguments` (the program name left out): results on
// `out`, messages as the window would show them on `err`. Returns the exit
// status. The settings and the data folder's default files are created first
// where they are missing, as at the window's first start.
int Run_Command(const QStringList& arguments, const Command_Line_Context& context, QTextStream& out, QTextStream& err);

// The command line of the executable when it was started with arguments:
// sets up a display-less application and runs the command.
int Command_Line_Main(int argc, char* argv[]);

}  // namespace app
