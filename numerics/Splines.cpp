#include "numerics/Splines.h"
