/* Character classes of the C run-time DLL, in the "C" locale. */
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

int isspace(int c);
int toupper(int c);

#ifdef __cplusplus
}
#endif
