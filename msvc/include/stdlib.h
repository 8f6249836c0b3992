/* The C run-time DLL's heap, and the end of the process. */
#pragma once

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

void* malloc(size_t size);
void free(void* block);
/* Runs the functions registered with atexit, flushes the output streams and
   ends the process. */
void exit(int status);

#ifdef __cplusplus
}
#endif
