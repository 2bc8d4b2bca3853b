#include "host/mouse.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>

#include "module/host_values.h"

namespace host {

namespace {

constexpr size_t kMaxMouseRects = 4096;  // a list without its end mark is not read forever
constexpr int kMaxDepth = 8;

}  // namespace

MouseLayout layout_mouse_rects(const MOUSERECT* list, int gauge_w, int gauge_h) {
    MouseLayout layout;
    if (list == nullptr) {
        layout.problems.push_back("no mouse rectangle list");
        return layout;
    }
    std::vector<int> open;  // indices into layout.areas of the open parents
    bool ended = false;
    for (size_t i = 0; i < kMaxMouseRects; ++i) {
        const MOUSERECT& r = list[i];
        if (r.rect_type == MOUSE_RECT_EOL) {
            ended = true;
            break;
        }
        std::string where = "mouse rectangle " + std::to_string(i);
        switch (r.rect_type) {
        case MOUSE_RECT_PARENT:
        case MOUSE_RECT_CHILD: {
            if (r.box.w < 0 || r.box.h < 0) layout.problems.push_back(where + ": negative size");
            if (r.rect_type == MOUSE_RECT_CHILD && open.empty()) {
                layout.problems.push_back(where + ": child area outside any parent area");
                break;
            }
            if (open.size() >= size_t(kMaxDepth)) {
                layout.problems.push_back(where + ": areas nested too deep");
                break;
            }
            MouseArea a;
            a.rect = &r;
            a.index = i;
            a.depth = int(open.size());
            a.parent = open.empty() ? -1 : open.back();
            PIXBOX origin = open.empty() ? PIXBOX{0, 0, gauge_w, gauge_h} : layout.areas[size_t(open.back())].box;
            bool whole = r.rect_type == MOUSE_RECT_PARENT && r.box.x == 0 && r.box.y == 0 &&
                         r.box.w == 0 && r.box.h == 0;
            a.whole_gauge = whole && open.empty();
            a.box = whole ? origin
                          : PIXBOX{origin.x + r.box.x, origin.y + r.box.y, r.box.w, r.box.h};
            layout.areas.push_back(a);
            if (r.rect_type == MOUSE_RECT_PARENT) open.push_back(int(layout.areas.size() - 1));
            break;
        }
        case MOUSE_RECT_END_PARENT:
            if (open.empty())
                layout.problems.push_back(where + ": end of area without an open area");
            else
                open.pop_back();
            break;
        case MOUSE_RECT_TOOLTIP:
            if (open.empty()) {
                layout.problems.push_back(where + ": tooltip outside any area");
            } else {
                MouseArea& parent = layout.areas[size_t(open.back())];
                if (parent.tooltip == nullptr) parent.tooltip = &r;
                if (r.event_id > 0 && r.data.args == nullptr)
                    layout.problems.push_back(where + ": tooltip arguments missing");
                if (r.help_id == 0 && r.action.text == nullptr)
                    layout.problems.push_back(where + ": tooltip has neither a number nor a text");
            }
            break;
        default:
            layout.problems.push_back(where + ": unknown kind " + std::to_string(r.rect_type));
            break;
        }
    }
    if (!ended) layout.problems.push_back("mouse rectangle list has no end mark");
    if (!open.empty()) layout.problems.push_back("mouse rectangle list leaves an area open");
    return layout;
}

bool area_contains(const MouseArea& a, int x, int y) {
    return x >= a.box.x && y >= a.box.y && x < a.box.x + a.box.w && y < a.box.y + a.box.h;
}

const MouseArea* find_child_area(const MouseLayout& layout, int x, int y, uint32_t flags) {
    for (const MouseArea& a : layout.areas) {
        if (a.rect->rect_type != MOUSE_RECT_CHILD) continue;
        if ((a.rect->mouse_flags & flags) == 0) continue;
        if (area_contains(a, x, y)) return &a;
    }
    return nullptr;
}

std::optional<TooltipSource> find_tooltip(const MouseLayout& layout, int x, int y) {
    // The deepest parent holding the point, walking outwards until one has a tooltip.
    int best = -1;
    for (size_t i = 0; i < layout.areas.size(); ++i) {
        const MouseArea& a = layout.areas[i];
        if (a.rect->rect_type != MOUSE_RECT_PARENT || !area_contains(a, x, y)) continue;
        if (best < 0 || a.depth > layout.areas[size_t(best)].depth) best = int(i);
    }
    for (int i = best; i >= 0; i = layout.areas[size_t(i)].parent) {
        const MouseArea& a = layout.areas[size_t(i)];
        if (a.tooltip != nullptr) return TooltipSource{a.tooltip, a.tooltip->help_id, a.rect};
        if (a.rect->help_id != 0) return TooltipSource{nullptr, a.rect->help_id, a.rect};
    }
    return std::nullopt;
}

std::string host_tooltip_text(uint32_t help_id) {
    static const std::map<uint32_t, const char*> texts = {
        {0x3001, "Airspeed indicator (knots)"},
        {0x3002, "Airspeed indicator (km/h)"},
        {0x3050, "Altimeter (feet)"},
        {0x3051, "Altimeter (metres)"},
        {0x3054, "Altimeter pressure setting"},
        {0x3090, "Turn coordinator"},
        {0x3092, "Attitude indicator"},
        {0x3098, "Vertical speed indicator (feet per minute)"},
        {0x3099, "Vertical speed indicator (metres per second)"},
        {0x3170, "ADF receiver"},
        {0x3208, "Directional gyro"},
        {0xA016, "Magneto selector"},
    };
    auto it = texts.find(help_id);
    if (it != texts.end()) return it->second;
    char buf[32];
    std::snprintf(buf, sizeof buf, "Tooltip 0x%X", help_id);
    return buf;
}

namespace {

// A printf conversion the tooltip inserts may use: flags, width, precision and
// one conversion letter; widths and precisions are kept small.
bool valid_conversion(const std::string& conversion_text, char* conversion) {
    size_t i = 0;
    while (i < conversion_text.size() && std::strchr("-+ #0", conversion_text[i])) ++i;
    size_t digits = 0;
    while (i < conversion_text.size() && std::isdigit(static_cast<unsigned char>(conversion_text[i]))) ++i, ++digits;
    if (digits > 2) return false;
    if (i < conversion_text.size() && conversion_text[i] == '.') {
        ++i;
        digits = 0;
        while (i < conversion_text.size() && std::isdigit(static_cast<unsigned char>(conversion_text[i]))) ++i, ++digits;
        if (digits > 2) return false;
    }
    if (i + 1 != conversion_text.size()) return false;
    *conversion = conversion_text[i];
    return std::strchr("sdiuxXfeEgG", *conversion) != nullptr;
}

std::string format_one(const std::string& conversion_text, char conversion, const TOOLTIP_ARG& arg,
                       GAUGEHDR* gauge) {
    char out[256];
    std::string fmt = "%" + conversion_text;
    MODULE_VAR source = arg.source;
    if (arg.text_cb != nullptr) {
        const char* text = arg.text_cb(0.0, 0, nullptr, &source, gauge);
        if (text == nullptr) text = "";
        if (conversion == 's') {
            std::snprintf(out, sizeof out, fmt.c_str(), text);
            return out;
        }
        return text;
    }
    double number = 0.0;
    if (arg.number_cb != nullptr) number = arg.number_cb(0.0, 0, nullptr, &source, gauge);
    else if (arg.id_cb != nullptr) number = double(arg.id_cb(0.0, 0, nullptr, &source, gauge));
    switch (conversion) {
    case 's': std::snprintf(out, sizeof out, "%g", number); break;
    case 'd': case 'i': std::snprintf(out, sizeof out, fmt.c_str(), int(host_to_int32(number))); break;
    case 'u': case 'x': case 'X':
        std::snprintf(out, sizeof out, fmt.c_str(), unsigned(host_to_uint32(number)));
        break;
    default: std::snprintf(out, sizeof out, fmt.c_str(), number); break;
    }
    return out;
}

}  // namespace

std::string format_tooltip(const char* format, const TOOLTIP_ARG* args, uint32_t arg_count,
                           GAUGEHDR* gauge) {
    std::string out;
    if (format == nullptr) return out;
    std::string f(format);
    size_t i = 0;
    while (i < f.size()) {
        if (f[i] != '%') {
            out += f[i++];
            continue;
        }
        if (i + 1 < f.size() && f[i + 1] == '%') {
            out += '%';
            i += 2;
            continue;
        }
        // %n!conversion!
        size_t j = i + 1;
        unsigned n = 0;
        while (j < f.size() && std::isdigit(static_cast<unsigned char>(f[j])) && n < 100)
            n = n * 10 + unsigned(f[j++] - '0');
        size_t open = j, close = std::string::npos;
        if (j > i + 1 && open < f.size() && f[open] == '!') close = f.find('!', open + 1);
        char conversion = 0;
        if (close == std::string::npos || n == 0 || n > arg_count || args == nullptr ||
            !valid_conversion(f.substr(open + 1, close - open - 1), &conversion)) {
            out += f[i++];
            continue;
        }
        out += format_one(f.substr(open + 1, close - open - 1), conversion, args[n - 1], gauge);
        i = close + 1;
    }
    return out;
}

}  // namespace host
