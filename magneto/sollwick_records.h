// The host records Sollwick uses, in the older (version-700) form of the panel
// interface: the gauge header with its own seven routines, the element header,
// the older static-image and icon layouts, mouse rectangles, the variable record,
// the host function table, Linkage and ImportTable. The i386 build pins every
// offset the host reads; 64-bit builds keep the field order with natural pointer
// sizes.
#pragma once

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32) && !defined(_WIN64)
#define FSAPI __stdcall
#define SOLLWICK_I386 1
#else
#define FSAPI
#define SOLLWICK_I386 0
#endif

enum : uint32_t { SOLLWICK_HEADER_VERSION = 700 };

enum SOLLWICK_ELEMENT_KIND : uint32_t {
    ELEMENT_STATIC_IMAGE = 0,
    ELEMENT_ICON = 4,
};

enum : uint32_t {
    IMAGE_USE_TRANSPARENCY = 0x1,
    IMAGE_USE_ERASE = 0x2,
};

// Mode word of the older icon: the host picks the image from the callback's value.
enum : uint32_t { ICON_MODE_700_SELECT = 3 };

enum MOUSE_RECT_KIND : uint32_t {
    MOUSE_RECT_EOL = 0,
    MOUSE_RECT_PARENT = 1,
    MOUSE_RECT_CHILD = 2,
    MOUSE_RECT_END_PARENT = 3,
};

enum : int32_t {
    CURSOR_NONE = -1,
    CURSOR_UPARROW = 1,
    CURSOR_DOWNARROW = 2,
};

enum : uint32_t { MOUSE_LEFTSINGLE = 0x20000000 };

enum : uint32_t { IMPORT_TABLE_PANELS_ID = 0x0F };

#pragma pack(push, 4)

struct GAUGEHDR;
struct MOUSERECT;

struct PIXPOINT {
    int32_t x;
    int32_t y;
};

struct PIXBOX {
    int32_t x;
    int32_t y;
    int32_t w;
    int32_t h;
};

union VAR_VALUE {
    double n;
    uint32_t u;  // integer tokens: the first four bytes
};

struct MODULE_VAR {
    uint32_t id;  // token
    void* var_ptr;
    uint32_t var_type;
    VAR_VALUE var_value;
    VAR_VALUE var_old;
};

// What a mouse function receives first.
struct MOUSE_CLICK {
    int32_t x;
    int32_t y;
    GAUGEHDR* gauge;
    MOUSERECT* rect;
    PIXPOINT screen;
    uint32_t reserved;
};

typedef int32_t(FSAPI* MOUSE_FUNCTION)(MOUSE_CLICK* click, uint32_t mouse_flags);

struct MOUSERECT {
    uint32_t rect_type;  // MOUSE_RECT_KIND
    PIXBOX box;
    int32_t cursor;
    uint32_t help_id;
    uint32_t mouse_flags;
    uint32_t event_id;
    MOUSE_FUNCTION function;
    void* host_data;
};

// Fields common to every element, the same in both header versions.
struct ELEMENT_HEADER {
    uint32_t element_type;  // SOLLWICK_ELEMENT_KIND
    int32_t image_id;
    PIXPOINT position;
    PIXPOINT previous_position;
    PIXPOINT ofs;
    GAUGEHDR* gauge_header;
    ELEMENT_HEADER* previous_element;
    ELEMENT_HEADER** next_element;  // null-terminated list
    const void* failure_systems;
    uint32_t image_flags;
    uint32_t aircraft_special_instrumentation;
    uint32_t reserved;
};

// Older static image (96 bytes on i386):
//   0x00 element header      0x3C image set (host, 16)
//   0x4C save buffer (host)  0x50 host fields to 0x60
struct STATIC_IMAGE_700 {
    ELEMENT_HEADER header;
    void* image_set[4];
    void* save_buffer;
    uint32_t host_fields[4];
};

struct ICON_700;
typedef double(FSAPI* ICON_700_CALLBACK)(ICON_700* element);

// Older icon (124 bytes on i386). After the common header the module's fields
// come first, in this order, and the host's fields last:
//   0x3C source variable (MODULE_VAR, token in its first field)
//   0x58 mode word (3)
//   0x5C number of images
//   0x60 value callback
//   0x64 scale (double, 0: the value is the image index as it stands)
//   0x6C current image (host)   0x70 image set (host)
//   0x74 save buffer (host)     0x78 reserved (host)
struct ICON_700 {
    ELEMENT_HEADER header;
    MODULE_VAR source;
    uint32_t mode;
    int32_t num_icons;
    ICON_700_CALLBACK update_cb;
    double scale;
    int32_t current_icon;
    void* image_set;
    void* save_buffer;
    uint32_t reserved;
};

// Header routines of a version-700 gauge: the host calls them with no word
// saying which gauge they belong to.
typedef void(FSAPI* HEADER_ROUTINE)(void);
typedef void(FSAPI* HEADER_INSTALL_ROUTINE)(uintptr_t resource_handle);
typedef void(FSAPI* HEADER_GENERATE_ROUTINE)(uint32_t phase);
typedef void(FSAPI* GAUGE_CALLBACK)(GAUGEHDR* gauge, uint32_t service_id, uintptr_t extra);

struct GAUGEHDR {
    uint32_t gauge_header_version;
    const char* gauge_name;
    ELEMENT_HEADER** elements_list;  // null-terminated
    HEADER_ROUTINE query_routine;
    HEADER_INSTALL_ROUTINE install_routine;
    HEADER_ROUTINE initialize_routine;
    HEADER_ROUTINE update_routine;
    HEADER_GENERATE_ROUTINE generate_routine;
    HEADER_ROUTINE draw_routine;
    HEADER_ROUTINE kill_routine;
    void* reserved1;
    uint32_t size_x_mm;
    uint32_t size_y_mm;
    float x_adjust;
    float y_adjust;
    void* reserved2;
    void* reserved3;
    PIXPOINT position;
    void* reserved4;
    MOUSERECT* mouse_rect;
    GAUGE_CALLBACK gauge_callback;
    uint32_t user_data;
    char* parameters;
    char* usage;
    void* reserved5;
    void* reserved6;
    PIXPOINT size;
    double user_area[10];
    uint32_t flags;
    void* reserved7;
};

typedef void(FSAPI* PANEL_ENTRY)(void);  // an entry this module does not call

// The host's panel function table, as far as this module reads it.
struct PANELS {
    uint32_t head[6];
    PANEL_ENTRY unused_18[(0x60 - 0x18) / 4];
    uint32_t(FSAPI* element_list_query)(ELEMENT_HEADER* element);
    uint32_t(FSAPI* element_list_install)(ELEMENT_HEADER* element, uintptr_t resource_handle);
    uint32_t(FSAPI* element_list_initialize)(ELEMENT_HEADER* element);
    uint32_t(FSAPI* element_list_update)(ELEMENT_HEADER* element);
    uint32_t(FSAPI* element_list_generate)(ELEMENT_HEADER* element, uint32_t phase);
    uint32_t(FSAPI* element_list_plot)(ELEMENT_HEADER* element);
    uint32_t(FSAPI* element_list_erase)(ELEMENT_HEADER* element);
    uint32_t(FSAPI* element_list_kill)(ELEMENT_HEADER* element);
    PANEL_ENTRY unused_80[(0x90 - 0x80) / 4];
    uint32_t(FSAPI* trigger_key_event)(uint32_t event_id, uint32_t value);
    PANEL_ENTRY unused_94[(0xA0 - 0x94) / 4];
    void(FSAPI* lookup_var)(MODULE_VAR* var);
};

struct IMPORT_ENTRY {
    uint32_t id;
    PANELS* table;
};

struct IMPORT_TABLE {
    IMPORT_ENTRY panels;
    IMPORT_ENTRY end;
};

typedef void(FSAPI* MODULE_ROUTINE)(void);

enum : size_t { SOLLWICK_GAUGE_COUNT = 2 };

struct LINKAGE {
    uint32_t module_id;
    MODULE_ROUTINE module_init;
    MODULE_ROUTINE module_deinit;
    uint32_t flags;
    uint32_t module_status;
    uint32_t module_version;
    GAUGEHDR* gauges[SOLLWICK_GAUGE_COUNT + 1];  // null-terminated
};

#pragma pack(pop)

#if SOLLWICK_I386
#define SOLLWICK_PIN(type, field, offset) static_assert(offsetof(type, field) == offset, #type "." #field)
#define SOLLWICK_SIZE(type, size) static_assert(sizeof(type) == size, #type " size")
SOLLWICK_SIZE(MODULE_VAR, 28);
SOLLWICK_PIN(MODULE_VAR, var_ptr, 0x04);
SOLLWICK_PIN(MODULE_VAR, var_type, 0x08);
SOLLWICK_PIN(MODULE_VAR, var_value, 0x0C);
SOLLWICK_PIN(MODULE_VAR, var_old, 0x14);

SOLLWICK_SIZE(MOUSE_CLICK, 28);
SOLLWICK_PIN(MOUSE_CLICK, gauge, 0x08);
SOLLWICK_PIN(MOUSE_CLICK, rect, 0x0C);

SOLLWICK_SIZE(MOUSERECT, 44);
SOLLWICK_PIN(MOUSERECT, box, 0x04);
SOLLWICK_PIN(MOUSERECT, cursor, 0x14);
SOLLWICK_PIN(MOUSERECT, help_id, 0x18);
SOLLWICK_PIN(MOUSERECT, mouse_flags, 0x1C);
SOLLWICK_PIN(MOUSERECT, event_id, 0x20);
SOLLWICK_PIN(MOUSERECT, function, 0x24);
SOLLWICK_PIN(MOUSERECT, host_data, 0x28);

SOLLWICK_SIZE(ELEMENT_HEADER, 60);
SOLLWICK_PIN(ELEMENT_HEADER, image_id, 0x04);
SOLLWICK_PIN(ELEMENT_HEADER, position, 0x08);
SOLLWICK_PIN(ELEMENT_HEADER, previous_position, 0x10);
SOLLWICK_PIN(ELEMENT_HEADER, ofs, 0x18);
SOLLWICK_PIN(ELEMENT_HEADER, gauge_header, 0x20);
SOLLWICK_PIN(ELEMENT_HEADER, previous_element, 0x24);
SOLLWICK_PIN(ELEMENT_HEADER, next_element, 0x28);
SOLLWICK_PIN(ELEMENT_HEADER, failure_systems, 0x2C);
SOLLWICK_PIN(ELEMENT_HEADER, image_flags, 0x30);
SOLLWICK_PIN(ELEMENT_HEADER, aircraft_special_instrumentation, 0x34);
SOLLWICK_PIN(ELEMENT_HEADER, reserved, 0x38);

SOLLWICK_SIZE(STATIC_IMAGE_700, 96);
SOLLWICK_PIN(STATIC_IMAGE_700, image_set, 0x3C);
SOLLWICK_PIN(STATIC_IMAGE_700, save_buffer, 0x4C);

SOLLWICK_SIZE(ICON_700, 124);
SOLLWICK_PIN(ICON_700, source, 0x3C);
SOLLWICK_PIN(ICON_700, mode, 0x58);
SOLLWICK_PIN(ICON_700, num_icons, 0x5C);
SOLLWICK_PIN(ICON_700, update_cb, 0x60);
SOLLWICK_PIN(ICON_700, scale, 0x64);
SOLLWICK_PIN(ICON_700, current_icon, 0x6C);
SOLLWICK_PIN(ICON_700, image_set, 0x70);
SOLLWICK_PIN(ICON_700, save_buffer, 0x74);
SOLLWICK_PIN(ICON_700, reserved, 0x78);

SOLLWICK_PIN(GAUGEHDR, gauge_name, 0x04);
SOLLWICK_PIN(GAUGEHDR, elements_list, 0x08);
SOLLWICK_PIN(GAUGEHDR, query_routine, 0x0C);
SOLLWICK_PIN(GAUGEHDR, install_routine, 0x10);
SOLLWICK_PIN(GAUGEHDR, initialize_routine, 0x14);
SOLLWICK_PIN(GAUGEHDR, update_routine, 0x18);
SOLLWICK_PIN(GAUGEHDR, generate_routine, 0x1C);
SOLLWICK_PIN(GAUGEHDR, draw_routine, 0x20);
SOLLWICK_PIN(GAUGEHDR, kill_routine, 0x24);
SOLLWICK_PIN(GAUGEHDR, size_x_mm, 0x2C);
SOLLWICK_PIN(GAUGEHDR, size_y_mm, 0x30);
SOLLWICK_PIN(GAUGEHDR, position, 0x44);
SOLLWICK_PIN(GAUGEHDR, mouse_rect, 0x50);
SOLLWICK_PIN(GAUGEHDR, gauge_callback, 0x54);
SOLLWICK_PIN(GAUGEHDR, user_data, 0x58);
SOLLWICK_PIN(GAUGEHDR, parameters, 0x5C);
SOLLWICK_PIN(GAUGEHDR, size, 0x6C);
SOLLWICK_PIN(GAUGEHDR, user_area, 0x74);
SOLLWICK_PIN(GAUGEHDR, flags, 0xC4);
SOLLWICK_PIN(GAUGEHDR, reserved7, 0xC8);
static_assert(sizeof(GAUGEHDR) >= 0xCC, "GAUGEHDR size");

SOLLWICK_PIN(PANELS, element_list_query, 0x60);
SOLLWICK_PIN(PANELS, element_list_install, 0x64);
SOLLWICK_PIN(PANELS, element_list_initialize, 0x68);
SOLLWICK_PIN(PANELS, element_list_update, 0x6C);
SOLLWICK_PIN(PANELS, element_list_generate, 0x70);
SOLLWICK_PIN(PANELS, element_list_plot, 0x74);
SOLLWICK_PIN(PANELS, element_list_erase, 0x78);
SOLLWICK_PIN(PANELS, element_list_kill, 0x7C);
SOLLWICK_PIN(PANELS, trigger_key_event, 0x90);
SOLLWICK_PIN(PANELS, lookup_var, 0xA0);

SOLLWICK_SIZE(IMPORT_TABLE, 16);
SOLLWICK_PIN(LINKAGE, gauges, 24);
#undef SOLLWICK_PIN
#undef SOLLWICK_SIZE
#endif
