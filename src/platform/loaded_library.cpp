#include "platform/loaded_library.h"

#include <QFile>

#include <dlfcn.h>

namespace platform {

Loaded_Library::Loaded_Library(const QString& file)
    : handle_(::dlopen(QFile::encodeName(file).constData(), RTLD_NOW | RTLD_LOCAL))
{
    if (!handle_)
        error_ = QString::fromLocal8Bit(::dlerror());
}

void* Loaded_Library::Symbol(const char* name)
{
    if (!handle_)
        return nullptr;
    ::dlerror();
    void* symbol = ::dlsym(handle_, name);
    if (!symbol)
        error_ = QString::fromLocal8Bit(::dlerror());
    return symbol;
}

}  // namespace platform
