// Safe arithmetic on values that come from the host. Every double the host hands
// over may be NaN, infinite or huge.
#pragma once

#include <stddef.h>
#include <stdint.h>

// Truncation toward zero, saturated to the int32 range, NaN to 0.
inline int32_t host_to_int32(double v) {
    if (!(v == v)) return 0;
    if (v >= 2147483647.0) return INT32_MAX;
    if (v <= -2147483648.0) return INT32_MIN;
    return static_cast<int32_t>(v);
}

// Same rule for the unsigned 32-bit range.
inline uint32_t host_to_uint32(double v) {
    if (!(v == v) || v <= 0.0) return 0;
    if (v >= 4294967295.0) return UINT32_MAX;
    return static_cast<uint32_t>(v);
}

// Writes text into a host-owned buffer of `capacity` bytes (room for the null
// included); always terminates, never overruns. Returns the characters written.
size_t host_write_text(char* buffer, size_t capacity, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 3, 4)))
#endif
    ;
