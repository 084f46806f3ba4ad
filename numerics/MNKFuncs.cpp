#include "numerics/MNKFuncs.h"
