// The host's view of version-700 gauges: the header with its seven routines,
// and the older element layouts that such gauges hand to the element-list
// operations. The common element header, MODULE_VAR and MOUSERECT are the same
// records as in version 800 (module/gauge_model.h); only what follows the
// common header differs.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "module/gauge_model.h"

#pragma pack(push, 4)

// Header routines: query, initialise, update, draw and kill take nothing;
// install takes the module's resource handle, generate the generation phase.
typedef void(FSAPI* LEGACY_ROUTINE)(void);
typedef void(FSAPI* LEGACY_INSTALL_ROUTINE)(uintptr_t resource_handle);
typedef void(FSAPI* LEGACY_GENERATE_ROUTINE)(uint32_t phase);

// The first fields of a version-700 header, laid out as in GAUGEHDR.
struct GAUGEHDR_700 {
    uint32_t gauge_header_version;
    const char* gauge_name;
    ELEMENT_HEADER** elements_list;
    LEGACY_ROUTINE query_routine;
    LEGACY_INSTALL_ROUTINE install_routine;
    LEGACY_ROUTINE initialize_routine;
    LEGACY_ROUTINE update_routine;
    LEGACY_GENERATE_ROUTINE generate_routine;
    LEGACY_ROUTINE draw_routine;
    LEGACY_ROUTINE kill_routine;
};

// Older static image: the common header, then host fields only.
//   0x3C image set (host, 16)   0x4C save buffer (host)   0x50..0x5F host
struct LEGACY_STATIC_IMAGE {
    ELEMENT_HEADER header;
    void* image_set[4];
    void* save_buffer;
    uint32_t host_fields[4];
};

struct LEGACY_ICON;
typedef double(FSAPI* LEGACY_ICON_CALLBACK)(LEGACY_ICON* element);

// Older icon: after the common header the gauge's fields in this order, the
// host's fields last.
//   0x3C source variable       0x58 mode word      0x5C number of images
//   0x60 value callback        0x64 scale (double; 0: the value as it stands)
//   0x6C current image (host)  0x70 image set (host)
//   0x74 save buffer (host)    0x78 reserved (host)
struct LEGACY_ICON {
    ELEMENT_HEADER header;
    MODULE_VAR source;
    uint32_t mode;
    int32_t num_icons;
    LEGACY_ICON_CALLBACK update_cb;
    double scale;
    int32_t current_icon;
    void* image_set;
    void* save_buffer;
    uint32_t reserved;
};

#pragma pack(pop)

// Mode word of the older icon: the value selects the image (index 0 is the
// element's bitmap, k is bitmap id + k).
enum : uint32_t { LEGACY_ICON_MODE_SELECT = 3 };

// The version-700 header agrees with GAUGEHDR wherever the host reads either.
static_assert(offsetof(GAUGEHDR_700, gauge_name) == offsetof(GAUGEHDR, gauge_name));
static_assert(offsetof(GAUGEHDR_700, elements_list) == offsetof(GAUGEHDR, elements_list));
static_assert(offsetof(GAUGEHDR_700, query_routine) == offsetof(GAUGEHDR, query_routine));
static_assert(offsetof(GAUGEHDR_700, install_routine) == offsetof(GAUGEHDR, install_routine));
static_assert(offsetof(GAUGEHDR_700, initialize_routine) == offsetof(GAUGEHDR, initialize_routine));
static_assert(offsetof(GAUGEHDR_700, update_routine) == offsetof(GAUGEHDR, update_routine));
static_assert(offsetof(GAUGEHDR_700, generate_routine) == offsetof(GAUGEHDR, generate_routine));
static_assert(offsetof(GAUGEHDR_700, draw_routine) == offsetof(GAUGEHDR, draw_routine));
static_assert(offsetof(GAUGEHDR_700, kill_routine) == offsetof(GAUGEHDR, kill_routine));

// The older elements start with the common header and continue right after it.
static_assert(offsetof(LEGACY_STATIC_IMAGE, image_set) == sizeof(ELEMENT_HEADER));
static_assert(offsetof(LEGACY_ICON, source) == sizeof(ELEMENT_HEADER));
static_assert(offsetof(LEGACY_ICON, mode) == sizeof(ELEMENT_HEADER) + sizeof(MODULE_VAR));

#if GAUGE_MODEL_I386
static_assert(sizeof(LEGACY_STATIC_IMAGE) == 96);
static_assert(sizeof(LEGACY_ICON) == 124);
static_assert(offsetof(LEGACY_ICON, mode) == 0x58);
static_assert(offsetof(LEGACY_ICON, num_icons) == 0x5C);
static_assert(offsetof(LEGACY_ICON, update_cb) == 0x60);
static_assert(offsetof(LEGACY_ICON, scale) == 0x64);
static_assert(offsetof(LEGACY_ICON, current_icon) == 0x6C);
static_assert(offsetof(LEGACY_ICON, reserved) == 0x78);
#endif
