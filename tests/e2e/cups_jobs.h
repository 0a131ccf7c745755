#pragma once
// What the test CUPS scheduler did with jobs: their attributes, waiting for
// them to finish, and the picture a ZPL label printer would print.
#include <QImage>
#include <QString>

#include <vector>

namespace e2e {

inline const QString kZebra = QStringLiteral("Zebra");
inline const QString kPdfQueue = QStringLiteral("PDF");
inline const QString kZplOutput = QStringLiteral("/var/tmp/foodlabel-zebra.zpl");
inline const QString kZebra300 = QStringLiteral("Zebra300");  // the same printer at 300 dpi
inline const QString kZpl300Output = QStringLiteral("/var/tmp/foodlabel-zebra300.zpl");
inline const QString kCupsPdfFolder = QStringLiteral("/root/PDF");

bool Scheduler_Running();

// The id at the end of a job name "Zebra-12"; 0 when there is none.
int Job_Id(const QString& job_name);

struct Job_Facts {
    bool found = false;
    int copies = 0;
    int state = 0;  // IPP job-state: 9 completed
    QString printer;
    QString resolution;  // the job's Resolution option
    QString page_size;   // the job's PageSize option
};
Job_Facts Query_Job(int job_id);

// Waits (up to 60 s) until the job is completed, aborted or canceled.
Job_Facts Wait_For_Job(int job_id);

// The highest job id the scheduler knows on the queue (all states), 0 for none.
int Last_Job_Id(const QString& queue);

// Ids of the jobs that arrived on the queue after job `before`, each waited for until done.
std::vector<int> Jobs_After(const QString& queue, int before);

// Runs a command; true when it exits with 0.
bool Run(const QString& program, const QStringList& arguments);

// The label in a ZPL stream of CUPS's Zebra driver (~DG graphic, ZPL ASCII
// compression): black dots black, the top of the label at the top.
QImage Decode_Zpl_Label(const QByteArray& zpl);

// The print width (^PW) of the first label of a ZPL stream, in dots; 0 when there is none.
int Zpl_Print_Width(const QByteArray& zpl);

// Folder for pictures that the tests leave for people to look at.
QString Picture_Folder();

}  // namespace e2e
