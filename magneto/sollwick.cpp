// Sollwick's outward face: Linkage with the two magneto gauges, ImportTable, the
// library entry point, and the forwarders of the host calls.
#include "magneto/sollwick_gauges.h"
#include "magneto/sollwick_host.h"

#if defined(_WIN32)
#include <windows.h>
#endif

// Both the init and the deinit routine: the module has no start-up or shutdown work.
static void FSAPI sollwick_nothing(void) {}

enum : uint32_t { SOLLWICK_MODULE_ID = 0x13, SOLLWICK_MODULE_VERSION = 0 };

extern "C" {
#if !defined(_WIN32)
__attribute__((visibility("default")))
#endif
constinit IMPORT_TABLE ImportTable = {{IMPORT_TABLE_PANELS_ID, nullptr}, {0, nullptr}};

#if !defined(_WIN32)
__attribute__((visibility("default")))
#endif
constinit LINKAGE Linkage = {
    SOLLWICK_MODULE_ID, sollwick_nothing, sollwick_nothing, 0, 0, SOLLWICK_MODULE_VERSION,
    {&magneto_1_gauge, &magneto_2_gauge, nullptr},
};
}

#if defined(_WIN32)
BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
#endif

uint32_t element_list_query(ELEMENT_HEADER* element) {
    return ImportTable.panels.table->element_list_query(element);
}
uint32_t element_list_install(ELEMENT_HEADER* element, uintptr_t resource_handle) {
    return ImportTable.panels.table->element_list_install(element, resource_handle);
}
uint32_t element_list_initialize(ELEMENT_HEADER* element) {
    return ImportTable.panels.table->element_list_initialize(element);
}
uint32_t element_list_update(ELEMENT_HEADER* element) {
    return ImportTable.panels.table->element_list_update(element);
}
uint32_t element_list_generate(ELEMENT_HEADER* element, uint32_t phase) {
    return ImportTable.panels.table->element_list_generate(element, phase);
}
uint32_t element_list_plot(ELEMENT_HEADER* element) {
    return ImportTable.panels.table->element_list_plot(element);
}
uint32_t element_list_kill(ELEMENT_HEADER* element) {
    return ImportTable.panels.table->element_list_kill(element);
}
uint32_t trigger_key_event(uint32_t event_id, uint32_t value) {
    return ImportTable.panels.table->trigger_key_event(event_id, value);
}
void lookup_var(MODULE_VAR* var) { ImportTable.panels.table->lookup_var(var); }
