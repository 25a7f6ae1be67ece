#include "high/c.h"
#include "high/b.h"
