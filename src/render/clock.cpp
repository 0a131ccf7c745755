#include "render/clock.h"

namespace render {
namespace {
QDateTime& Fixed_Moment()
{
    static QDateTime moment;
    return moment;
}
}  // namespace

QDateTime Current_Date_Time()
{
    const QDateTime& fixed = Fixed_Moment();
    return fixed.isValid() ? fixed : QDateTime::currentDateTime();
}

void Set_Clock(const QDateTime& moment)
{
    Fixed_Moment() = moment;
}

}  // namespace render
