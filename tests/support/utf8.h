#pragma once
// Test text written as UTF-8 literals: Q("品名").
#include <QString>

namespace test_support {

inline QString Q(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

}  // namespace test_support
