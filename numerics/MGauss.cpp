#include "numerics/MGauss.h"
