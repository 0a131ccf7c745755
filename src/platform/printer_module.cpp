#include "platform/printer_module.h"

#include "platform/loaded_library.h"

#include <QCoreApplication>

namespace platform {

namespace {

using Create_Print_Queues = Print_Queues* (*)();

// Loads the module on first use. The module stays loaded for the life of the
// process: Qt keeps the print plugins it loaded for it.
class Loaded_Queues : public Print_Queues {
public:
    explicit Loaded_Queues(QString module_path) : module_path_(std::move(module_path)) { }

    QStringList Names() const override { return Loaded() ? loaded_->Names() : QStringList{}; }
    Paged_Printer* Open(const QString& name) override { return Loaded() ? loaded_->Open(name) : nullptr; }
    bool Has(const QString& name) const override { return Loaded() && loaded_->Has(name); }

private:
    bool Loaded() const
    {
        if (!tried_) {
            tried_ = true;
            loaded_.reset(Load());
        }
        return loaded_ != nullptr;
    }

    Print_Queues* Load() const
    {
        Loaded_Library module(module_path_);
        Create_Print_Queues create = nullptr;
        if (!module.Find(create, kPrinter_Module_Entry)) {
            qWarning("%s", qUtf8Printable(QStringLiteral("プリンタの一覧を読めません（%1）").arg(module.Error())));
            return nullptr;
        }
        return create();
    }

    QString module_path_;
    mutable bool tried_ = false;
    mutable std::unique_ptr<Print_Queues> loaded_;
};

}  // namespace

QString Printer_Module_Path()
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(kPrinter_Module_File);
}

std::unique_ptr<Print_Queues> Module_Queues(const QString& module_path)
{
    return std::make_unique<Loaded_Queues>(module_path);
}

}  // namespace platform
