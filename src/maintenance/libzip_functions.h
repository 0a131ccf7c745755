#pragma once
// libzip, loaded on first use: most sessions never touch an archive, and libzip
// brings libcrypto, bzip2, lzma and zstd with it, which start-up need not load.
#include <QString>

#include <zip.h>

namespace maintenance {

// The libzip functions the archives use, under their names without "zip_".
struct Libzip {
    decltype(&::zip_open) open;
    decltype(&::zip_close) close;
    decltype(&::zip_discard) discard;
    decltype(&::zip_strerror) strerror;
    decltype(&::zip_error_init_with_code) error_init_with_code;
    decltype(&::zip_error_strerror) error_strerror;
    decltype(&::zip_error_fini) error_fini;
    decltype(&::zip_get_num_entries) get_num_entries;
    decltype(&::zip_get_name) get_name;
    decltype(&::zip_stat_index) stat_index;
    decltype(&::zip_fopen_index) fopen_index;
    decltype(&::zip_fread) fread;
    decltype(&::zip_fclose) fclose;
    decltype(&::zip_file_strerror) file_strerror;
    decltype(&::zip_source_buffer) source_buffer;
    decltype(&::zip_source_free) source_free;
    decltype(&::zip_file_add) file_add;
    decltype(&::zip_set_file_compression) set_file_compression;
    decltype(&::zip_file_set_mtime) file_set_mtime;
};

// The functions, loaded once; null when libzip cannot be loaded (`error` then
// says why).
const Libzip* Load_Libzip(QString& error);

}  // namespace maintenance
