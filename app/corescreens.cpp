#include "app/corescreens.h"

#include "app/screens.h"

void registerCoreScreens() {}
