#include "numerics/ArrayFuncs.h"
