/* Mathematical functions of the C run-time DLL. */
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

double sin(double x);
double fabs(double x);

#ifdef __cplusplus
}
#endif
