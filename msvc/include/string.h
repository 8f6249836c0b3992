/* Byte and string functions of the C run-time DLL. */
#pragma once

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

void* memcpy(void* destination, const void* source, size_t count);
void* memset(void* destination, int value, size_t count);
size_t strlen(const char* text);
int strcmp(const char* left, const char* right);

#ifdef __cplusplus
}
#endif
