// The two gauge headers of Sollwick, each defined in its gauge's source file.
#pragma once

#include "magneto/sollwick_records.h"

extern GAUGEHDR magneto_1_gauge;
extern GAUGEHDR magneto_2_gauge;
