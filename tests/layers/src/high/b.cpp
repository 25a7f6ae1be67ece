#include "high/b.h"
#include "high/c.h"
