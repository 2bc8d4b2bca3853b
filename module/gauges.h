// The gauge headers of the module, each defined in its gauge's own source file.
#pragma once

#include "module/gauge_model.h"

extern GAUGEHDR airspeed_gauge;
extern GAUGEHDR directional_gyro_gauge;
extern GAUGEHDR directional_gyro_small_gauge;
extern GAUGEHDR adf_indicator_gauge;
extern GAUGEHDR landing_indicator_gauge;
