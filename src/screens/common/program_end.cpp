#include "screens/common/program_end.h"

#include <QApplication>

#include <cstdlib>

namespace screens {

void End_Program(int status)
{
    QApplication::exit(status);
    std::exit(status);
}

}  // namespace screens
