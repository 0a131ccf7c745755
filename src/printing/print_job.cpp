#include "printing/print_job.h"

#include "products/product_file.h"

namespace printing {

Printer_Geometry Find_Geometry(platform::Printer_Finder* printers, const QString& printer)
{
    Printer_Geometry geometry;
    geometry.printer = printer;
    const auto find = [printers](const QString& name) {
        return printers && !name.isEmpty() ? printers->Find_Printer(name) : nullptr;
    };
    const platform::Printer* found = find(printer);
    geometry.found = found != nullptr;
    if (!found) {
        geometry.note = printer.isEmpty()
            ? QStringLiteral("プリンタが設定されていないため、%1で印刷するものとして確認します")
                  .arg(platform::kBuilt_In_Pdf_Printer)
            : QStringLiteral("プリンタ「%1」が見つからないため、%2で印刷するものとして確認します")
                  .arg(printer, platform::kBuilt_In_Pdf_Printer);
        found = find(platform::kBuilt_In_Pdf_Printer);
    }
    if (found) {
        geometry.dpi = found->Resolution();
        geometry.bar_grid_dpi = found->Raster_Driver() ? found->Resolution() : render::kLabelPrinterDpi;
    }
    return geometry;
}

Print_Job Prepare_Job(const QString& data_folder, const Print_Issue& issue, const Printer_Geometry& printer)
{
    return Prepare_Job(data_folder, issue, printer, products::Find_Product(data_folder, issue.product_no));
}

Print_Job Prepare_Job(const QString& data_folder, const Print_Issue& issue, const Printer_Geometry& printer,
                      std::optional<products::Product_Record> product)
{
    Print_Job job;
    job.issue = issue;
    job.printer = printer;
    job.product = std::move(product);
    if (!job.product)
        return job;
    job.layout = layouts::Read_Layout(data_folder, (*job.product)[products::Layout_Name]);
    job.date = render::Date_Line(*job.product, issue.values);
    return job;
}

Print_Jobs Prepare_Jobs(const QString& data_folder, const Print_Issues& issues, const Printer_Geometry& printer)
{
    Print_Jobs jobs;
    jobs.reserve(size_t(issues.size()));
    for (const Print_Issue& issue : issues)
        jobs.push_back(Prepare_Job(data_folder, issue, printer));
    return jobs;
}

}  // namespace printing
