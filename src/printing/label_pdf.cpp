#include "printing/label_pdf.h"

#include "platform/paged_printer.h"
#include "render/label_composer.h"
#include "render/qt_surfaces.h"
#include "store/text_helpers.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

namespace printing {

store::Outcome Write_Label_Pdf(const QString& path, const products::Product_Record& product,
                               const layouts::Layout_Record& layout, const render::Issue_Values& issue,
                               const store::Settings_Record& settings, const QString& data_folder,
                               store::Answerer& answerer)
{
    platform::Pdf_File_Printer printer([] { return QString(); });
    printer.Set_Output_File(path);
    printer.Set_Label_Size_mm(QSizeF(layout.Number(layouts::Label_Width), layout.Number(layouts::Label_Length)));
    const QStringList failed = {QStringLiteral("PDFファイルを作成できませんでした")};
    QString error;
    const std::unique_ptr<platform::Print_Job> job = printer.Begin_Job(error);
    if (!job)
        return store::Outcome::Failed(failed + QStringList{error});
    render::Printer_Page_Surface surface(job->Painter(), printer.Resolution(), printer.Resolution(),
                                         render::Bar_Edges::On_Dots);
    surface.Length_Limit_mm = store::Round_Half_Even(layout.Number(layouts::Label_Length));
    surface.Answerer = &answerer;
    // The page is the label: nothing to centre across.
    store::Settings_Record label_settings = settings;
    label_settings[store::Setting::Paper_Set_Position] = QStringLiteral("端寄せ");
    render::Label_Composer(surface, product, layout, issue, {label_settings, data_folder, &answerer});
    const platform::Job_Result result = job->End();
    if (!result.sent)
        return store::Outcome::Failed(failed + QStringList{result.error});
    return store::Outcome::Done();
}

Pdf_Output_Check Check_Pdf_Output(const QString& path, const QStringList& own_folders)
{
    const QFileInfo info(path);
    const auto refused = [&path](const QString& what) {
        return Pdf_Output_Check{QStringLiteral("%1 は%2のため、PDFファイルを書き出せません").arg(path, what), {}};
    };
    if (info.isSymLink())
        return refused(QStringLiteral("シンボリックリンク (リンク先 %1)").arg(info.symLinkTarget()));
    if (!info.exists())
        return {};
    if (info.isDir())
        return refused(QStringLiteral("フォルダ"));
    if (!info.isFile())
        return refused(QStringLiteral("デバイスなどの通常のファイルではないもの"));
    QFile file(path);
    const QByteArray head = file.open(QIODevice::ReadOnly) ? file.read(5) : QByteArray();
    const QString size_and_time = QStringLiteral("%1 バイト、%2 更新")
                                      .arg(info.size())
                                      .arg(info.lastModified().toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")));
    if (head != "%PDF-") {
        for (const QString& own : own_folders) {
            if (!own.isEmpty() && QFileInfo(own).canonicalFilePath() == info.canonicalPath())
                return refused(QStringLiteral("このソフトウェアのデータのフォルダ %1 にあるファイル").arg(own));
        }
        if (info.size() > 0)
            return refused(QStringLiteral("PDFではないファイル (%1)").arg(size_and_time));
    }
    return {{},
            QStringLiteral("%1 にある%2 (%3) を置き換えます")
                .arg(path, info.size() > 0 ? QStringLiteral("PDFファイル") : QStringLiteral("空のファイル"),
                     size_and_time)};
}

}  // namespace printing
