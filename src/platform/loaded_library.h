#pragma once
// A shared library opened while the program runs, for libraries that only some
// tasks need: the program starts without loading them. Once opened it stays
// loaded for the life of the process.
#include <QString>

namespace platform {

class Loaded_Library {
public:
    // `file`: a path, or a library name (such as "libzip.so.4") that the
    // dynamic loader looks for in its usual places.
    explicit Loaded_Library(const QString& file);

    // Why the library, or the last function asked for, could not be found.
    const QString& Error() const { return error_; }

    // The library's function of that name; false (and Error()) when it has none.
    template <typename Function>
    bool Find(Function& function, const char* name)
    {
        function = reinterpret_cast<Function>(Symbol(name));
        return function != nullptr;
    }

private:
    void* Symbol(const char* name);

    void* handle_ = nullptr;
    QString error_;
};

}  // namespace platform
