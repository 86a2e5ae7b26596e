// The Quorvex library: affine resampling and colour fill.
#include "Quorvex.h"
#include "host/host_bitmap.h"
