#include "numerics/SmoothFuncs.h"
