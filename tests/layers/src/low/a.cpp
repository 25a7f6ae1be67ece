#include "low/a.h"
#include "high/b.h"
