#pragma once
// CP932 conversion tables, generated at build time from the platform's
// converter (cp932_tables_generator.cpp) so that no process builds them.
#include <cstdint>

namespace store::cp932_tables {

inline constexpr char16_t kSubstitute = 0x1A;  // what bytes without a CP932 meaning decode to

extern const std::uint16_t kCode[65536];  // a BMP code unit's bytes (high byte 0 for one byte)
extern const std::uint8_t kWidth[65536];  // 1 or 2; 0 = no CP932 form
extern const char16_t kSingle[256];       // what a byte standing alone decodes to
extern const char16_t kPairs[65536];      // lead * 256 + trail: what a double-byte code decodes to
extern const std::uint8_t kSole[65536];   // 1: its own code is the only bytes that decode to it

}  // namespace store::cp932_tables
