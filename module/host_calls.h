// The four host operations the gauges call, through the table the host writes
// into ImportTable before it creates any gauge.
#pragma once

#include "module/gauge_model.h"

void lookup_var(MODULE_VAR* var);
uint32_t trigger_key_event(uint32_t event_id, uint32_t value);
int32_t panel_window_toggle(uint32_t window_id);
int32_t execute_calculator_code(const char* code, double* number, int32_t* integer,
                                const char** text);

// Looks up one token into a fresh record and returns its value as a double.
double lookup_number(uint32_t token);
// Looks up one token whose value is an unsigned 32-bit integer.
uint32_t lookup_unsigned(uint32_t token);
