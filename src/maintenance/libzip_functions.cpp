#include "maintenance/libzip_functions.h"

#include "platform/loaded_library.h"

namespace maintenance {

namespace {

// The library Debian's libzip4 package installs (the version the headers are of).
constexpr char kLibzipFile[] = "libzip.so.4";

struct Loaded_Libzip {
    Libzip functions{};
    QString error;  // empty when every function was found
};

Loaded_Libzip Load()
{
    platform::Loaded_Library library(QString::fromLatin1(kLibzipFile));
    Loaded_Libzip loaded;
    Libzip& f = loaded.functions;
    const bool found = library.Find(f.open, "zip_open") && library.Find(f.close, "zip_close")
        && library.Find(f.discard, "zip_discard") && library.Find(f.strerror, "zip_strerror")
        && library.Find(f.error_init_with_code, "zip_error_init_with_code")
        && library.Find(f.error_strerror, "zip_error_strerror") && library.Find(f.error_fini, "zip_error_fini")
        && library.Find(f.get_num_entries, "zip_get_num_entries") && library.Find(f.get_name, "zip_get_name")
        && library.Find(f.stat_index, "zip_stat_index") && library.Find(f.fopen_index, "zip_fopen_index")
        && library.Find(f.fread, "zip_fread") && library.Find(f.fclose, "zip_fclose")
        && library.Find(f.file_strerror, "zip_file_strerror") && library.Find(f.source_buffer, "zip_source_buffer")
        && library.Find(f.source_free, "zip_source_free") && library.Find(f.file_add, "zip_file_add")
        && library.Find(f.set_file_compression, "zip_set_file_compression")
        && library.Find(f.file_set_mtime, "zip_file_set_mtime");
    if (!found)
        loaded.error = QStringLiteral("zip ファイルを扱うライブラリを読み込めません（%1）").arg(library.Error());
    return loaded;
}

}  // namespace

const Libzip* Load_Libzip(QString& error)
{
    static const Loaded_Libzip loaded = Load();
    error = loaded.error;
    return loaded.error.isEmpty() ? &loaded.functions : nullptr;
}

}  // namespace maintenance
