// The gauge headers of the module, each defined in its gauge's own source file.
#pragma once

#include "module/gauge_model.h"

extern GAUGEHDR airspeed_gauge;
