// The host's gauge records, host function table, service numbers and calling
// convention, as the panel host lays them out. The i386 build pins every offset;
// 64-bit builds (tests, the stand-in host) keep the field order with natural
// pointer sizes.
#pragma once

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32) && !defined(_WIN64)
#define FSAPI __stdcall
#define GAUGE_MODEL_I386 1
#else
#define FSAPI
#define GAUGE_MODEL_I386 0
#endif

// ---- numbers the records carry ----------------------------------------------

enum : uint32_t {
    GAUGE_HEADER_VERSION_700 = 700,
    GAUGE_HEADER_VERSION_800 = 800,
};

enum ELEMENT_KIND : uint32_t {
    ELEMENT_STATIC_IMAGE = 0,
    ELEMENT_NEEDLE = 1,
    ELEMENT_STRING = 2,
    ELEMENT_SLIDER = 3,
    ELEMENT_ICON = 4,
    ELEMENT_MOVING_IMAGE = 5,
    ELEMENT_SPRITE = 6,
};

enum : uint32_t {
    IMAGE_USE_TRANSPARENCY = 0x1,
    IMAGE_USE_ERASE = 0x2,
    IMAGE_USE_BRIGHT = 0x4,
    IMAGE_BILINEAR_COLOR = 0x80,
    IMAGE_USE_LUMINOUS = 0x4000,
    IMAGE_HIDDEN = 0x40000000,
};

enum MOUSE_RECT_KIND : uint32_t {
    MOUSE_RECT_EOL = 0,
    MOUSE_RECT_PARENT = 1,
    MOUSE_RECT_CHILD = 2,
    MOUSE_RECT_END_PARENT = 3,
    MOUSE_RECT_TOOLTIP = 4,
};

enum : int32_t {
    CURSOR_NONE = -1,
    CURSOR_UPARROW = 1,
    CURSOR_DOWNARROW = 2,
    CURSOR_HAND = 5,
};

enum : uint32_t {
    MOUSE_LEFTSINGLE = 0x20000000,
    MOUSE_RIGHTSINGLE = 0x80000000,
    MOUSE_DOWN_REPEAT = 0x00200000,
    MOUSE_LEFTDRAG = 0x00800000,
};

enum GAUGE_SERVICE : uint32_t {
    PANEL_SERVICE_PRE_INSTALL = 2,
    PANEL_SERVICE_POST_INSTALL = 3,
    PANEL_SERVICE_PRE_INITIALIZE = 4,
    PANEL_SERVICE_POST_INITIALIZE = 5,
    PANEL_SERVICE_PRE_UPDATE = 6,
    PANEL_SERVICE_POST_UPDATE = 7,
    PANEL_SERVICE_PRE_GENERATE = 8,
    PANEL_SERVICE_POST_GENERATE = 9,
    PANEL_SERVICE_PRE_DRAW = 10,
    PANEL_SERVICE_POST_DRAW = 11,
    PANEL_SERVICE_PRE_KILL = 12,
    PANEL_SERVICE_POST_KILL = 13,
    PANEL_SERVICE_CONNECT_TO_WINDOW = 14,
    PANEL_SERVICE_DISCONNECT = 15,
    PANEL_SERVICE_PANEL_OPEN = 16,
    PANEL_SERVICE_PANEL_CLOSE = 17,
};

// The host's panel function table identifier in ImportTable.
enum : uint32_t { IMPORT_TABLE_PANELS_ID = 0x0F };

#pragma pack(push, 4)

struct GAUGEHDR;
struct ELEMENT_HEADER;
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
    double n;    // most tokens
    uint32_t u;  // integer tokens: first four bytes
    int32_t d;
};

struct MODULE_VAR {
    uint32_t id;          // token
    void* var_ptr;
    uint32_t var_type;
    VAR_VALUE var_value;
    VAR_VALUE var_old;
};

struct NONLINEARITY {
    PIXPOINT pt;
    double value;
    double degrees;  // worked out by the host; 0 in the module
};

struct FAILURE_RECORD {
    uint32_t key;
    uint32_t action;
    uint32_t reserved;
};

// The module's view of the record a mouse function receives.
struct MOUSE_CLICK {
    int32_t x;
    int32_t y;
    GAUGEHDR* gauge;
    MOUSERECT* rect;
    PIXPOINT screen;
    uint32_t reserved;
};

typedef int32_t(FSAPI* MOUSE_FUNCTION)(MOUSE_CLICK* click, uint32_t mouse_flags);
typedef void(FSAPI* GAUGE_CALLBACK)(GAUGEHDR* gauge, uint32_t service_id, uintptr_t extra);

typedef double(FSAPI* TOOLTIP_NUMBER_CALLBACK)(double number, uint32_t id, const char* text,
                                               MODULE_VAR* source, GAUGEHDR* gauge);
typedef uint32_t(FSAPI* TOOLTIP_ID_CALLBACK)(double number, uint32_t id, const char* text,
                                             MODULE_VAR* source, GAUGEHDR* gauge);
typedef const char*(FSAPI* TOOLTIP_TEXT_CALLBACK)(double number, uint32_t id, const char* text,
                                                  MODULE_VAR* source, GAUGEHDR* gauge);

struct TOOLTIP_ARG {
    MODULE_VAR source;
    double scale;
    const void* numeric_table;
    uint32_t numeric_table_size;
    const void* id_table;
    uint32_t id_table_size;
    const void* string_table;
    uint32_t string_table_size;
    TOOLTIP_NUMBER_CALLBACK number_cb;
    TOOLTIP_ID_CALLBACK id_cb;
    TOOLTIP_TEXT_CALLBACK text_cb;
};

// A tooltip entry keeps its format text where a child area keeps its function,
// and its argument array where the host keeps its data.
union MOUSE_RECT_ACTION {
    MOUSE_FUNCTION fn;
    const char* text;
};

union MOUSE_RECT_DATA {
    void* host;
    const TOOLTIP_ARG* args;
};

struct MOUSERECT {
    uint32_t rect_type;  // MOUSE_RECT_KIND
    PIXBOX box;
    int32_t cursor;
    uint32_t help_id;
    uint32_t mouse_flags;
    uint32_t event_id;   // key event; for a tooltip: number of arguments
    MOUSE_RECT_ACTION action;
    MOUSE_RECT_DATA data;
};

struct ELEMENT_HEADER {
    uint32_t element_type;  // ELEMENT_KIND
    int32_t image_id;
    PIXPOINT position;
    PIXPOINT previous_position;
    PIXPOINT ofs;
    GAUGEHDR* gauge_header;
    ELEMENT_HEADER* previous_element;
    ELEMENT_HEADER** next_element;  // null-terminated list
    const FAILURE_RECORD* failure_systems;
    uint32_t image_flags;
    uint32_t aircraft_special_instrumentation;
    uint32_t reserved;
};

struct IMAGE_SET {
    void* host[4];
};

struct STATIC_IMAGE {
    ELEMENT_HEADER header;
    IMAGE_SET image_data;
    void* save_buffer;
    uint8_t host_fields[0x60 - 0x50];
};

struct NEEDLE;
typedef double(FSAPI* NEEDLE_CALLBACK)(NEEDLE* element);

struct NEEDLE {
    ELEMENT_HEADER header;
    MODULE_VAR source;
    void* source_fn;
    void* display_value_fn;
    void* angle_fn;
    void* lag_fn;
    PIXPOINT reference;
    NONLINEARITY* nonlinearity_table;
    uint32_t nonlinearity_table_size;
    int32_t max_degrees_per_tick;
    uint8_t host_fields[0xE0 - 0x7C];
    NEEDLE_CALLBACK update_cb;
    uint8_t host_fields_end[0xEC - 0xE4];
};

struct STRING;
typedef double(FSAPI* STRING_CALLBACK)(STRING* element);

struct STRING {
    ELEMENT_HEADER header;
    MODULE_VAR source[3];
    double save_var[3];
    void* source_fn[3];
    void* string_fn;
    char* string;      // host-owned text buffer
    char* string_old;
    PIXPOINT img_size; // box (w, h)
    uint8_t host_c8[0xD0 - 0xC8];
    uint32_t fg_color;  // 0x00BBGGRR
    uint32_t bg_color;
    uint32_t hilite_color;
    uint8_t host_dc[0xF8 - 0xDC];
    char font_name[32];
    uint32_t font_weight;
    uint8_t font_charset;
    uint8_t pad_11d[3];
    uint32_t draw_text_flags;
    uint16_t max_string_length;
    uint8_t host_126[0x138 - 0x126];
    STRING_CALLBACK update_cb;
    uint8_t host_fields_end[0x144 - 0x13C];
};

struct SLIDER;
typedef double(FSAPI* SLIDER_CALLBACK)(SLIDER* element);

struct SLIDER {
    ELEMENT_HEADER header;
    MODULE_VAR source_x;
    void* source_fn_x;
    double scale_x;
    int32_t lag_x;
    MODULE_VAR source_y;
    void* source_fn_y;
    double scale_y;
    int32_t lag_y;
    IMAGE_SET image_data;
    void* save_buffer;
    SLIDER_CALLBACK update_x_cb;
    SLIDER_CALLBACK update_y_cb;
    uint8_t host_fields[0xC0 - 0xB0];
};

struct ICON;
typedef double(FSAPI* ICON_CALLBACK)(ICON* element);

enum : uint32_t { ICON_SWITCH_TYPE_SET_CUR_ICON = 0 };

struct ICON {
    ELEMENT_HEADER header;
    MODULE_VAR source;
    void* source_fn;
    uint32_t switch_type;  // mode word
    uint32_t switch_count;
    double scale;
    int32_t offset;
    int32_t num_icons;
    int32_t current_icon;
    int32_t target_icon;
    void* image_data;
    void* save_buffer;
    ICON_CALLBACK update_cb;
    uint32_t reserved;
};

struct MOVING_IMAGE;
typedef double(FSAPI* MOVING_CALLBACK)(MOVING_IMAGE* element);

struct MOVING_IMAGE {
    ELEMENT_HEADER header;
    MODULE_VAR source_x;
    void* source_fn_x;
    double min_x;
    double max_x;
    int32_t lag_x;
    MODULE_VAR source_y;
    void* source_fn_y;
    double min_y;
    double max_y;
    int32_t lag_y;
    uint8_t host_a4[0xF4 - 0xA4];
    MOVING_CALLBACK update_x_cb;
    MOVING_CALLBACK update_y_cb;
    uint8_t host_fields_end[0x10C - 0xFC];
};

struct SPRITE;
typedef double(FSAPI* SPRITE_CALLBACK)(SPRITE* element);

struct SPRITE {
    ELEMENT_HEADER header;
    MODULE_VAR source_x;
    void* source_fn_x;
    double scale_x;
    MODULE_VAR source_y;
    void* source_fn_y;
    double scale_y;
    MODULE_VAR source_0;  // rotation
    void* source_fn_0;
    double scale_0;
    float texture_scale_x;
    float texture_scale_y;
    uint8_t host_bc[0x13C - 0xBC];
    SPRITE_CALLBACK update_x_cb;
    SPRITE_CALLBACK update_y_cb;
    SPRITE_CALLBACK update_0_cb;
    uint8_t host_fields_end[0x160 - 0x148];
};

typedef void(FSAPI* HEADER_ROUTINE)(void);
typedef void(FSAPI* HEADER_ROUTINE_ARG)(uint32_t arg);

struct GAUGEHDR {
    uint32_t gauge_header_version;
    const char* gauge_name;
    ELEMENT_HEADER** elements_list;  // null-terminated
    HEADER_ROUTINE query_routine;
    HEADER_ROUTINE_ARG install_routine;
    HEADER_ROUTINE initialize_routine;
    HEADER_ROUTINE update_routine;
    HEADER_ROUTINE_ARG generate_routine;
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
    char* parameters;  // host-filled parameter text
    char* usage;
    void* reserved5;
    void* reserved6;
    PIXPOINT size;
    double user_area[10];
    uint32_t flags;
    void* reserved7;
};

// ---- the host's function table -------------------------------------------------

typedef void(FSAPI* PANEL_ENTRY)(void);  // an entry no module of ours calls

struct PANELS {
    uint32_t head[6];
    PANEL_ENTRY unused_18[(0x60 - 0x18) / 4];
    uint32_t(FSAPI* element_list_query)(ELEMENT_HEADER* element);
    uint32_t(FSAPI* element_list_install)(ELEMENT_HEADER* element, uintptr_t resource);
    uint32_t(FSAPI* element_list_initialize)(ELEMENT_HEADER* element);
    uint32_t(FSAPI* element_list_update)(ELEMENT_HEADER* element);
    uint32_t(FSAPI* element_list_generate)(ELEMENT_HEADER* element, uint32_t phase);
    uint32_t(FSAPI* element_list_plot)(ELEMENT_HEADER* element);
    uint32_t(FSAPI* element_list_erase)(ELEMENT_HEADER* element);
    uint32_t(FSAPI* element_list_kill)(ELEMENT_HEADER* element);
    PANEL_ENTRY unused_80[(0x8C - 0x80) / 4];
    int32_t(FSAPI* panel_window_toggle)(uint32_t window_id);
    uint32_t(FSAPI* trigger_key_event)(uint32_t event_id, uint32_t value);
    PANEL_ENTRY unused_94[(0xA0 - 0x94) / 4];
    void(FSAPI* lookup_var)(MODULE_VAR* var);
    PANEL_ENTRY unused_a4[(0x114 - 0xA4) / 4];
    int32_t(FSAPI* execute_calculator_code)(const char* code, double* number, int32_t* integer,
                                            const char** text);
    PANEL_ENTRY unused_118[4];
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

// Linkage: six words, then the null-terminated gauge list in place.
struct LINKAGE_HEAD {
    uint32_t module_id;
    MODULE_ROUTINE module_init;
    MODULE_ROUTINE module_deinit;
    uint32_t flags;
    uint32_t module_status;
    uint32_t module_version;
};

template <size_t N>
struct LINKAGE {
    LINKAGE_HEAD head;
    GAUGEHDR* gauges[N + 1];
};

#pragma pack(pop)

// Where the gauge list starts in any LINKAGE, for a reader that only knows the head.
inline GAUGEHDR* const* linkage_gauges(const LINKAGE_HEAD* head) {
    return reinterpret_cast<GAUGEHDR* const*>(reinterpret_cast<const char*>(head) +
                                              sizeof(LINKAGE_HEAD));
}

#if GAUGE_MODEL_I386
#define GAUGE_MODEL_PIN(type, field, offset) static_assert(offsetof(type, field) == offset, #type "." #field)
#define GAUGE_MODEL_SIZE(type, size) static_assert(sizeof(type) == size, #type " size")
GAUGE_MODEL_SIZE(MODULE_VAR, 28);
GAUGE_MODEL_PIN(MODULE_VAR, var_ptr, 0x04);
GAUGE_MODEL_PIN(MODULE_VAR, var_type, 0x08);
GAUGE_MODEL_PIN(MODULE_VAR, var_value, 0x0C);
GAUGE_MODEL_PIN(MODULE_VAR, var_old, 0x14);
GAUGE_MODEL_SIZE(NONLINEARITY, 24);
GAUGE_MODEL_PIN(NONLINEARITY, value, 0x08);
GAUGE_MODEL_PIN(NONLINEARITY, degrees, 0x10);
GAUGE_MODEL_SIZE(FAILURE_RECORD, 12);
GAUGE_MODEL_PIN(FAILURE_RECORD, action, 0x04);
GAUGE_MODEL_PIN(FAILURE_RECORD, reserved, 0x08);

GAUGE_MODEL_PIN(GAUGEHDR, gauge_name, 0x04);
GAUGE_MODEL_PIN(GAUGEHDR, elements_list, 0x08);
GAUGE_MODEL_PIN(GAUGEHDR, query_routine, 0x0C);
GAUGE_MODEL_PIN(GAUGEHDR, install_routine, 0x10);
GAUGE_MODEL_PIN(GAUGEHDR, initialize_routine, 0x14);
GAUGE_MODEL_PIN(GAUGEHDR, update_routine, 0x18);
GAUGE_MODEL_PIN(GAUGEHDR, generate_routine, 0x1C);
GAUGE_MODEL_PIN(GAUGEHDR, draw_routine, 0x20);
GAUGE_MODEL_PIN(GAUGEHDR, kill_routine, 0x24);
GAUGE_MODEL_PIN(GAUGEHDR, reserved1, 0x28);
GAUGE_MODEL_PIN(GAUGEHDR, size_x_mm, 0x2C);
GAUGE_MODEL_PIN(GAUGEHDR, size_y_mm, 0x30);
GAUGE_MODEL_PIN(GAUGEHDR, x_adjust, 0x34);
GAUGE_MODEL_PIN(GAUGEHDR, y_adjust, 0x38);
GAUGE_MODEL_PIN(GAUGEHDR, reserved2, 0x3C);
GAUGE_MODEL_PIN(GAUGEHDR, reserved3, 0x40);
GAUGE_MODEL_PIN(GAUGEHDR, position, 0x44);
GAUGE_MODEL_PIN(GAUGEHDR, reserved4, 0x4C);
GAUGE_MODEL_PIN(GAUGEHDR, mouse_rect, 0x50);
GAUGE_MODEL_PIN(GAUGEHDR, gauge_callback, 0x54);
GAUGE_MODEL_PIN(GAUGEHDR, user_data, 0x58);
GAUGE_MODEL_PIN(GAUGEHDR, parameters, 0x5C);
GAUGE_MODEL_PIN(GAUGEHDR, usage, 0x60);
GAUGE_MODEL_PIN(GAUGEHDR, reserved5, 0x64);
GAUGE_MODEL_PIN(GAUGEHDR, reserved6, 0x68);
GAUGE_MODEL_PIN(GAUGEHDR, size, 0x6C);
GAUGE_MODEL_PIN(GAUGEHDR, user_area, 0x74);
GAUGE_MODEL_PIN(GAUGEHDR, flags, 0xC4);
GAUGE_MODEL_PIN(GAUGEHDR, reserved7, 0xC8);
static_assert(sizeof(GAUGEHDR) >= 0xCC, "GAUGEHDR size");

GAUGE_MODEL_SIZE(ELEMENT_HEADER, 60);
GAUGE_MODEL_PIN(ELEMENT_HEADER, image_id, 0x04);
GAUGE_MODEL_PIN(ELEMENT_HEADER, position, 0x08);
GAUGE_MODEL_PIN(ELEMENT_HEADER, previous_position, 0x10);
GAUGE_MODEL_PIN(ELEMENT_HEADER, ofs, 0x18);
GAUGE_MODEL_PIN(ELEMENT_HEADER, gauge_header, 0x20);
GAUGE_MODEL_PIN(ELEMENT_HEADER, previous_element, 0x24);
GAUGE_MODEL_PIN(ELEMENT_HEADER, next_element, 0x28);
GAUGE_MODEL_PIN(ELEMENT_HEADER, failure_systems, 0x2C);
GAUGE_MODEL_PIN(ELEMENT_HEADER, image_flags, 0x30);
GAUGE_MODEL_PIN(ELEMENT_HEADER, aircraft_special_instrumentation, 0x34);
GAUGE_MODEL_PIN(ELEMENT_HEADER, reserved, 0x38);

GAUGE_MODEL_SIZE(STATIC_IMAGE, 96);
GAUGE_MODEL_PIN(STATIC_IMAGE, image_data, 0x3C);
GAUGE_MODEL_PIN(STATIC_IMAGE, save_buffer, 0x4C);

GAUGE_MODEL_SIZE(NEEDLE, 236);
GAUGE_MODEL_PIN(NEEDLE, source, 0x3C);
GAUGE_MODEL_PIN(NEEDLE, source_fn, 0x58);
GAUGE_MODEL_PIN(NEEDLE, display_value_fn, 0x5C);
GAUGE_MODEL_PIN(NEEDLE, angle_fn, 0x60);
GAUGE_MODEL_PIN(NEEDLE, lag_fn, 0x64);
GAUGE_MODEL_PIN(NEEDLE, reference, 0x68);
GAUGE_MODEL_PIN(NEEDLE, nonlinearity_table, 0x70);
GAUGE_MODEL_PIN(NEEDLE, nonlinearity_table_size, 0x74);
GAUGE_MODEL_PIN(NEEDLE, max_degrees_per_tick, 0x78);
GAUGE_MODEL_PIN(NEEDLE, update_cb, 0xE0);

GAUGE_MODEL_SIZE(STRING, 324);
GAUGE_MODEL_PIN(STRING, source, 0x3C);
GAUGE_MODEL_PIN(STRING, save_var, 0x90);
GAUGE_MODEL_PIN(STRING, source_fn, 0xA8);
GAUGE_MODEL_PIN(STRING, string_fn, 0xB4);
GAUGE_MODEL_PIN(STRING, string, 0xB8);
GAUGE_MODEL_PIN(STRING, string_old, 0xBC);
GAUGE_MODEL_PIN(STRING, img_size, 0xC0);
GAUGE_MODEL_PIN(STRING, fg_color, 0xD0);
GAUGE_MODEL_PIN(STRING, bg_color, 0xD4);
GAUGE_MODEL_PIN(STRING, hilite_color, 0xD8);
GAUGE_MODEL_PIN(STRING, font_name, 0xF8);
GAUGE_MODEL_PIN(STRING, font_weight, 0x118);
GAUGE_MODEL_PIN(STRING, font_charset, 0x11C);
GAUGE_MODEL_PIN(STRING, draw_text_flags, 0x120);
GAUGE_MODEL_PIN(STRING, max_string_length, 0x124);
GAUGE_MODEL_PIN(STRING, update_cb, 0x138);

GAUGE_MODEL_SIZE(SLIDER, 192);
GAUGE_MODEL_PIN(SLIDER, source_x, 0x3C);
GAUGE_MODEL_PIN(SLIDER, source_fn_x, 0x58);
GAUGE_MODEL_PIN(SLIDER, scale_x, 0x5C);
GAUGE_MODEL_PIN(SLIDER, lag_x, 0x64);
GAUGE_MODEL_PIN(SLIDER, source_y, 0x68);
GAUGE_MODEL_PIN(SLIDER, source_fn_y, 0x84);
GAUGE_MODEL_PIN(SLIDER, scale_y, 0x88);
GAUGE_MODEL_PIN(SLIDER, lag_y, 0x90);
GAUGE_MODEL_PIN(SLIDER, image_data, 0x94);
GAUGE_MODEL_PIN(SLIDER, save_buffer, 0xA4);
GAUGE_MODEL_PIN(SLIDER, update_x_cb, 0xA8);
GAUGE_MODEL_PIN(SLIDER, update_y_cb, 0xAC);

GAUGE_MODEL_SIZE(ICON, 140);
GAUGE_MODEL_PIN(ICON, source, 0x3C);
GAUGE_MODEL_PIN(ICON, source_fn, 0x58);
GAUGE_MODEL_PIN(ICON, switch_type, 0x5C);
GAUGE_MODEL_PIN(ICON, switch_count, 0x60);
GAUGE_MODEL_PIN(ICON, scale, 0x64);
GAUGE_MODEL_PIN(ICON, offset, 0x6C);
GAUGE_MODEL_PIN(ICON, num_icons, 0x70);
GAUGE_MODEL_PIN(ICON, current_icon, 0x74);
GAUGE_MODEL_PIN(ICON, target_icon, 0x78);
GAUGE_MODEL_PIN(ICON, image_data, 0x7C);
GAUGE_MODEL_PIN(ICON, save_buffer, 0x80);
GAUGE_MODEL_PIN(ICON, update_cb, 0x84);
GAUGE_MODEL_PIN(ICON, reserved, 0x88);

GAUGE_MODEL_SIZE(MOVING_IMAGE, 268);
GAUGE_MODEL_PIN(MOVING_IMAGE, source_x, 0x3C);
GAUGE_MODEL_PIN(MOVING_IMAGE, source_fn_x, 0x58);
GAUGE_MODEL_PIN(MOVING_IMAGE, min_x, 0x5C);
GAUGE_MODEL_PIN(MOVING_IMAGE, max_x, 0x64);
GAUGE_MODEL_PIN(MOVING_IMAGE, lag_x, 0x6C);
GAUGE_MODEL_PIN(MOVING_IMAGE, source_y, 0x70);
GAUGE_MODEL_PIN(MOVING_IMAGE, source_fn_y, 0x8C);
GAUGE_MODEL_PIN(MOVING_IMAGE, min_y, 0x90);
GAUGE_MODEL_PIN(MOVING_IMAGE, max_y, 0x98);
GAUGE_MODEL_PIN(MOVING_IMAGE, lag_y, 0xA0);
GAUGE_MODEL_PIN(MOVING_IMAGE, update_x_cb, 0xF4);
GAUGE_MODEL_PIN(MOVING_IMAGE, update_y_cb, 0xF8);

GAUGE_MODEL_SIZE(SPRITE, 352);
GAUGE_MODEL_PIN(SPRITE, source_x, 0x3C);
GAUGE_MODEL_PIN(SPRITE, source_fn_x, 0x58);
GAUGE_MODEL_PIN(SPRITE, scale_x, 0x5C);
GAUGE_MODEL_PIN(SPRITE, source_y, 0x64);
GAUGE_MODEL_PIN(SPRITE, source_fn_y, 0x80);
GAUGE_MODEL_PIN(SPRITE, scale_y, 0x84);
GAUGE_MODEL_PIN(SPRITE, source_0, 0x8C);
GAUGE_MODEL_PIN(SPRITE, source_fn_0, 0xA8);
GAUGE_MODEL_PIN(SPRITE, scale_0, 0xAC);
GAUGE_MODEL_PIN(SPRITE, texture_scale_x, 0xB4);
GAUGE_MODEL_PIN(SPRITE, texture_scale_y, 0xB8);
GAUGE_MODEL_PIN(SPRITE, host_bc, 0xBC);
GAUGE_MODEL_PIN(SPRITE, update_x_cb, 0x13C);
GAUGE_MODEL_PIN(SPRITE, update_y_cb, 0x140);
GAUGE_MODEL_PIN(SPRITE, update_0_cb, 0x144);

GAUGE_MODEL_SIZE(MOUSERECT, 44);
GAUGE_MODEL_PIN(MOUSERECT, box, 0x04);
GAUGE_MODEL_PIN(MOUSERECT, cursor, 0x14);
GAUGE_MODEL_PIN(MOUSERECT, help_id, 0x18);
GAUGE_MODEL_PIN(MOUSERECT, mouse_flags, 0x1C);
GAUGE_MODEL_PIN(MOUSERECT, event_id, 0x20);
GAUGE_MODEL_PIN(MOUSERECT, action, 0x24);
GAUGE_MODEL_PIN(MOUSERECT, data, 0x28);

GAUGE_MODEL_SIZE(MOUSE_CLICK, 28);
GAUGE_MODEL_PIN(MOUSE_CLICK, gauge, 0x08);
GAUGE_MODEL_PIN(MOUSE_CLICK, rect, 0x0C);
GAUGE_MODEL_PIN(MOUSE_CLICK, screen, 0x10);
GAUGE_MODEL_PIN(MOUSE_CLICK, reserved, 0x18);

GAUGE_MODEL_SIZE(TOOLTIP_ARG, 72);
GAUGE_MODEL_PIN(TOOLTIP_ARG, scale, 0x1C);
GAUGE_MODEL_PIN(TOOLTIP_ARG, numeric_table, 0x24);
GAUGE_MODEL_PIN(TOOLTIP_ARG, numeric_table_size, 0x28);
GAUGE_MODEL_PIN(TOOLTIP_ARG, id_table, 0x2C);
GAUGE_MODEL_PIN(TOOLTIP_ARG, id_table_size, 0x30);
GAUGE_MODEL_PIN(TOOLTIP_ARG, string_table, 0x34);
GAUGE_MODEL_PIN(TOOLTIP_ARG, string_table_size, 0x38);
GAUGE_MODEL_PIN(TOOLTIP_ARG, number_cb, 0x3C);
GAUGE_MODEL_PIN(TOOLTIP_ARG, id_cb, 0x40);
GAUGE_MODEL_PIN(TOOLTIP_ARG, text_cb, 0x44);

GAUGE_MODEL_PIN(PANELS, element_list_query, 0x60);
GAUGE_MODEL_PIN(PANELS, element_list_install, 0x64);
GAUGE_MODEL_PIN(PANELS, element_list_initialize, 0x68);
GAUGE_MODEL_PIN(PANELS, element_list_update, 0x6C);
GAUGE_MODEL_PIN(PANELS, element_list_generate, 0x70);
GAUGE_MODEL_PIN(PANELS, element_list_plot, 0x74);
GAUGE_MODEL_PIN(PANELS, element_list_erase, 0x78);
GAUGE_MODEL_PIN(PANELS, element_list_kill, 0x7C);
GAUGE_MODEL_PIN(PANELS, panel_window_toggle, 0x8C);
GAUGE_MODEL_PIN(PANELS, trigger_key_event, 0x90);
GAUGE_MODEL_PIN(PANELS, lookup_var, 0xA0);
GAUGE_MODEL_PIN(PANELS, execute_calculator_code, 0x114);

GAUGE_MODEL_SIZE(IMPORT_TABLE, 16);
GAUGE_MODEL_SIZE(LINKAGE_HEAD, 24);
#undef GAUGE_MODEL_PIN
#undef GAUGE_MODEL_SIZE
#endif
