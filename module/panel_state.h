// State shared by several gauges of the module. Lives from load to unload and is
// never saved; writers store only 0 and 1.
#pragma once

#include <stdint.h>

extern int32_t british_units;     // 0 metric (German) scales, 1 British scales
extern int32_t sound_enabled;     // click sounds work; 0 after the first failure
extern int32_t nav1_main_switch;  // the radio switch block: 1 on, 0 off
extern int32_t nav1_tone_switch;
extern int32_t com1_main_switch;
extern int32_t adf_main_switch;
extern int32_t adf_tone_switch;
extern int32_t xpdr_main_switch;
