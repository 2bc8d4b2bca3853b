// The host operations Sollwick calls, each a one-line forwarder through the
// function table the host writes into ImportTable before it creates a gauge.
// Arguments pass unchanged and the host's result comes back unchanged.
#pragma once

#include "magneto/sollwick_records.h"

uint32_t element_list_query(ELEMENT_HEADER* element);
uint32_t element_list_install(ELEMENT_HEADER* element, uintptr_t resource_handle);
uint32_t element_list_initialize(ELEMENT_HEADER* element);
uint32_t element_list_update(ELEMENT_HEADER* element);
uint32_t element_list_generate(ELEMENT_HEADER* element, uint32_t phase);
uint32_t element_list_plot(ELEMENT_HEADER* element);
uint32_t element_list_kill(ELEMENT_HEADER* element);
uint32_t trigger_key_event(uint32_t event_id, uint32_t value);
void lookup_var(MODULE_VAR* var);
