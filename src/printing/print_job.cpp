#include "printing/print_job.h"

#include "products/product_file.h"

namespace printing {

Print_Job Prepare_Job(const QString& data_folder, const Print_Issue& issue)
{
    return Prepare_Job(data_folder, issue, products::Find_Product(data_folder, issue.product_no));
}

Print_Job Prepare_Job(const QString& data_folder, const Print_Issue& issue,
                      std::optional<products::Product_Record> product)
{
    Print_Job job;
    job.issue = issue;
    job.product = std::move(product);
    if (!job.product)
        return job;
    job.layout = layouts::Read_Layout(data_folder, (*job.product)[products::Layout_Name]);
    job.date = render::Date_Line(*job.product, issue.values);
    return job;
}

Print_Jobs Prepare_Jobs(const QString& data_folder, const Print_Issues& issues)
{
    Print_Jobs jobs;
    jobs.reserve(size_t(issues.size()));
    for (const Print_Issue& issue : issues)
        jobs.push_back(Prepare_Job(data_folder, issue));
    return jobs;
}

}  // namespace printing
