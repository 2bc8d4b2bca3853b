// The gauge headers of the module, each defined in its gauge's own source file.
#pragma once

#include "module/gauge_model.h"

extern GAUGEHDR airspeed_gauge;
extern GAUGEHDR altimeter_gauge;
extern GAUGEHDR turn_coordinator_gauge;
extern GAUGEHDR artificial_horizon_gauge;
extern GAUGEHDR vertical_speed_gauge;
extern GAUGEHDR altimeter_small_gauge;
extern GAUGEHDR directional_gyro_gauge;
extern GAUGEHDR directional_gyro_small_gauge;
extern GAUGEHDR adf_indicator_gauge;
extern GAUGEHDR landing_indicator_gauge;
extern GAUGEHDR metric_switch_gauge;
