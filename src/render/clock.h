#pragma once
// The current date and time as the label sees it. Tests fix it; everything in
// render that needs "now" asks here.
#include <QDateTime>

namespace render {

QDateTime Current_Date_Time();

// Fixes the clock at `moment`; an invalid moment returns to the system clock.
void Set_Clock(const QDateTime& moment);

// Fixes the clock for the lifetime of the object (tests).
class Fixed_Clock {
public:
    explicit Fixed_Clock(const QDateTime& moment) { Set_Clock(moment); }
    ~Fixed_Clock() { Set_Clock(QDateTime()); }
    Fixed_Clock(const Fixed_Clock&) = delete;
    Fixed_Clock& operator=(const Fixed_Clock&) = delete;
};

}  // namespace render
