/* Formatted output. snprintf and vsnprintf behave as the C standard says (the
   result is always terminated, the return value is the full length); the
   start-up library builds them on the C run-time DLL's _vsnprintf and
   _vscprintf, whose truncated result is not terminated. */
#pragma once

#include <stdarg.h>
#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

int printf(const char* format, ...);
int puts(const char* text);
int snprintf(char* buffer, size_t size, const char* format, ...);
int vsnprintf(char* buffer, size_t size, const char* format, va_list arguments);

/* The C run-time DLL's own: at most size characters, no terminator when the
   text fills or overflows the buffer, a negative result when it overflows. */
int _vsnprintf(char* buffer, size_t size, const char* format, va_list arguments);
/* The length that formatting would give, without the terminator. */
int _vscprintf(const char* format, va_list arguments);

#ifdef __cplusplus
}
#endif
