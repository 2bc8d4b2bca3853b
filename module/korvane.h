// The module's exported tables, for programs that link the module's objects
// directly (the art generator, tests).
#pragma once

#include "module/gauge_model.h"

extern "C" IMPORT_TABLE ImportTable;
LINKAGE_HEAD* korvane_linkage();
