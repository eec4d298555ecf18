#include "catalogue/number_set.h"
