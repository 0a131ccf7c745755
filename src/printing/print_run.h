#pragma once
// The print run: every job of the printing screen's reservation list (or the
// single job of an immediate print) becomes labels on the configured printer,
// composed on its page by the label composer.
#include "platform/printer_platform.h"
#include "printing/print_job.h"
#include "render/clock.h"
#include "store/answerer.h"
#include "store/settings.h"

#include <QSet>
#include <QStringList>

namespace printing {

enum class Print_Mode { Immediate, Reservation };

struct Print_Run_Context {
    QString data_folder;  // ending in "/"
    store::Settings_Record settings;
    platform::Printer_Finder* printers = nullptr;
    store::Answerer* answerer = nullptr;
    // The time each job is recorded at in the print history.
    render::Clock clock = render::System_Clock();
    // Printers the user has been told print on their default page (no paper
    // number, and no page of the label's size): each is told once while the
    // set lives. None: once per run.
    QSet<QString>* told_default_page = nullptr;
    QStringList* written_files = nullptr;  // when set, gets the files the built-in PDF printer wrote
    int* unrecorded_jobs = nullptr;        // when set, counts the jobs the print history could not record
};

// Prints the jobs in the given mode and tells the user about every step.
// Returns the reservation list as it stands afterwards: empty after a
// finished run; every issue when the run was ended for a paper number the
// printer lacks or when the single job of an immediate run failed; the issues
// whose job the printer did not take otherwise.
Print_Issues Run_Print(const Print_Jobs& jobs, Print_Mode mode, const Print_Run_Context& context);

}  // namespace printing
