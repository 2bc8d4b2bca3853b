#include "module/host_values.h"

#include <stdarg.h>
#include <stdio.h>

size_t host_write_text(char* buffer, size_t capacity, const char* format, ...) {
    if (buffer == nullptr || capacity == 0) return 0;
    va_list args;
    va_start(args, format);
    int n = vsnprintf(buffer, capacity, format, args);
    va_end(args);
    if (n < 0) {
        buffer[0] = '\0';
        return 0;
    }
    return static_cast<size_t>(n) < capacity ? static_cast<size_t>(n) : capacity - 1;
}
