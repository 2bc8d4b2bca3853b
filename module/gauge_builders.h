// Small constant builders for the static gauge records, so that each element
// and each mouse rectangle of a gauge reads as one row of its table.
#pragma once

#include "module/gauge_model.h"

constexpr ELEMENT_HEADER element_header(ELEMENT_KIND kind, int32_t image_id, PIXPOINT position,
                                        PIXPOINT ofs, GAUGEHDR* gauge, ELEMENT_HEADER** next,
                                        const FAILURE_RECORD* failures, uint32_t draw_flags) {
    return ELEMENT_HEADER{kind, image_id, position, {0, 0}, ofs, gauge, nullptr, next,
                          failures, draw_flags, 0, 0};
}

constexpr MODULE_VAR token_source(uint32_t token) {
    return MODULE_VAR{token, nullptr, 0, {0.0}, {0.0}};
}

constexpr MOUSERECT mouse_parent(PIXBOX box, uint32_t help_id = 0) {
    return MOUSERECT{MOUSE_RECT_PARENT, box, CURSOR_NONE, help_id, 0, 0, {nullptr}, {nullptr}};
}

constexpr MOUSERECT mouse_child_event(PIXBOX box, int32_t cursor, uint32_t mouse_flags,
                                      uint32_t event_id) {
    return MOUSERECT{MOUSE_RECT_CHILD, box, cursor, 0, mouse_flags, event_id, {nullptr}, {nullptr}};
}

constexpr MOUSERECT mouse_child_function(PIXBOX box, int32_t cursor, uint32_t mouse_flags,
                                         MOUSE_FUNCTION function) {
    return MOUSERECT{MOUSE_RECT_CHILD, box, cursor, 0, mouse_flags, 0, {.fn = function}, {nullptr}};
}

constexpr MOUSERECT mouse_tooltip_id(uint32_t help_id) {
    return MOUSERECT{MOUSE_RECT_TOOLTIP, {0, 0, 0, 0}, CURSOR_NONE, help_id, 0, 0, {nullptr}, {nullptr}};
}

constexpr MOUSERECT mouse_tooltip_text(const char* text) {
    return MOUSERECT{MOUSE_RECT_TOOLTIP, {0, 0, 0, 0}, CURSOR_NONE, 0, 0, 0, {.text = text}, {nullptr}};
}

constexpr MOUSERECT mouse_tooltip_format(const char* format, const TOOLTIP_ARG* args,
                                         uint32_t arg_count) {
    return MOUSERECT{MOUSE_RECT_TOOLTIP, {0, 0, 0, 0}, CURSOR_NONE, 0, 0, arg_count,
                     {.text = format}, {.args = args}};
}

constexpr MOUSERECT mouse_end() {
    return MOUSERECT{MOUSE_RECT_END_PARENT, {0, 0, 0, 0}, CURSOR_NONE, 0, 0, 0, {nullptr}, {nullptr}};
}

constexpr MOUSERECT mouse_list_end() {
    return MOUSERECT{MOUSE_RECT_EOL, {0, 0, 0, 0}, CURSOR_NONE, 0, 0, 0, {nullptr}, {nullptr}};
}

constexpr TOOLTIP_ARG tooltip_number(TOOLTIP_NUMBER_CALLBACK callback) {
    return TOOLTIP_ARG{token_source(0), 0.0, nullptr, 0, nullptr, 0, nullptr, 0, callback,
                       nullptr, nullptr};
}

constexpr TOOLTIP_ARG tooltip_text(TOOLTIP_TEXT_CALLBACK callback) {
    return TOOLTIP_ARG{token_source(0), 0.0, nullptr, 0, nullptr, 0, nullptr, 0, nullptr,
                       nullptr, callback};
}

// A version-800 header; every routine slot null (the host's own handling).
constexpr GAUGEHDR gauge_header(const char* name, uint32_t default_width_mm,
                                ELEMENT_HEADER** elements, MOUSERECT* mouse_rects,
                                GAUGE_CALLBACK callback) {
    GAUGEHDR h{};
    h.gauge_header_version = GAUGE_HEADER_VERSION_800;
    h.gauge_name = name;
    h.elements_list = elements;
    h.size_x_mm = default_width_mm;
    h.mouse_rect = mouse_rects;
    h.gauge_callback = callback;
    return h;
}

// The hidden bit of an element, set and cleared only by the element's own callback.
inline void element_set_hidden(ELEMENT_HEADER* element, bool hidden) {
    if (hidden)
        element->image_flags |= IMAGE_HIDDEN;
    else
        element->image_flags &= ~static_cast<uint32_t>(IMAGE_HIDDEN);
}
