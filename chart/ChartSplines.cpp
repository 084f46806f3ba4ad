#include "chart/ChartSplines.h"
