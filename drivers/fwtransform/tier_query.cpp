// FWT_GetActiveTier.
#include "fwtransform.h"
#include "kernels/kernel_set.h"

FWT_API const char* FWT_CALL FWT_GetActiveTier(void) { return fwt::tierName(fwt::activeTier()); }
