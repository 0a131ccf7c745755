#include "render/clock.h"

namespace render {

Clock System_Clock()
{
    return [] { return QDateTime::currentDateTime(); };
}

}  // namespace render
