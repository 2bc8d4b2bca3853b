#include "host/panel_config.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

namespace host {

namespace {

std::string trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
    return s.substr(b, e - b);
}

std::string lower(std::string s) {
    for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

[[noreturn]] void fail(const std::string& path, int line, const std::string& message) {
    throw PanelConfigError(path + ":" + std::to_string(line) + ": " + message);
}

std::optional<int> parse_int(const std::string& text) {
    std::string s = trim(text);
    if (s.empty()) return std::nullopt;
    char* end = nullptr;
    errno = 0;
    long v = std::strtol(s.c_str(), &end, 10);
    if (*end != '\0' || errno == ERANGE || v < -1000000 || v > 1000000) return std::nullopt;
    return int(v);
}

std::vector<std::string> split(const std::string& s, char sep, size_t max_parts) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (parts.size() + 1 < max_parts) {
        size_t p = s.find(sep, start);
        if (p == std::string::npos) break;
        parts.push_back(s.substr(start, p - start));
        start = p + 1;
    }
    parts.push_back(s.substr(start));
    return parts;
}

// A gauge line's value: Module!Gauge, x, y[, w[, h[, parameters]]]. The parameter
// text is everything after the fifth comma, commas included.
GaugeLine parse_gauge_line(const std::string& value, const std::string& path, int line) {
    GaugeLine g;
    g.line = line;
    std::vector<std::string> parts = split(value, ',', 6);
    std::string name = trim(parts[0]);
    auto bang = name.find('!');
    if (bang == std::string::npos || bang == 0 || bang + 1 == name.size())
        fail(path, line, "expected Module!Gauge, got '" + name + "'");
    g.module = name.substr(0, bang);
    g.gauge = name.substr(bang + 1);
    if (parts.size() < 3) fail(path, line, "gauge line needs at least a position x, y");
    auto x = parse_int(parts[1]), y = parse_int(parts[2]);
    if (!x || !y) fail(path, line, "gauge position must be two integers");
    g.x = *x;
    g.y = *y;
    if (parts.size() > 3 && !trim(parts[3]).empty()) {
        auto w = parse_int(parts[3]);
        if (!w || *w <= 0) fail(path, line, "gauge width must be a positive integer");
        g.width = *w;
    }
    if (parts.size() > 4 && !trim(parts[4]).empty()) {
        auto h = parse_int(parts[4]);
        if (!h || *h <= 0) fail(path, line, "gauge height must be a positive integer");
        g.height = *h;
    }
    if (parts.size() > 5) {
        g.parameters = trim(parts[5]);
        g.has_parameters = true;
    }
    return g;
}

std::pair<int, int> parse_pair(const std::string& value, const std::string& path, int line,
                               const std::string& key) {
    auto parts = split(value, ',', 3);
    if (parts.size() != 2) fail(path, line, key + " takes two integers");
    auto a = parse_int(parts[0]), b = parse_int(parts[1]);
    if (!a || !b) fail(path, line, key + " takes two integers");
    return {*a, *b};
}

}  // namespace

PanelConfig parse_panel_config(const std::string& text, const std::string& path) {
    PanelConfig config;
    config.path = path;
    std::istringstream in(text);
    std::string raw;
    int line = 0;
    PanelWindow* window = nullptr;
    bool in_other_section = false;
    while (std::getline(in, raw)) {
        ++line;
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        std::string s = trim(raw);
        if (s.empty() || s[0] == ';' || s.rfind("//", 0) == 0) continue;
        if (s[0] == '[') {
            if (s.back() != ']') fail(path, line, "unclosed section header");
            std::string section = lower(trim(s.substr(1, s.size() - 2)));
            window = nullptr;
            in_other_section = true;
            if (section.rfind("window", 0) == 0 && section != "window titles") {
                auto n = parse_int(section.substr(6));
                if (!n || *n < 0) fail(path, line, "bad window section '" + s + "'");
                for (const PanelWindow& w : config.windows)
                    if (w.number == *n) fail(path, line, "window " + std::to_string(*n) + " defined twice");
                config.windows.push_back(PanelWindow{});
                window = &config.windows.back();
                window->number = *n;
                window->line = line;
                in_other_section = false;
            }
            continue;
        }
        auto eq = s.find('=');
        if (eq == std::string::npos) fail(path, line, "expected key=value");
        std::string key = lower(trim(s.substr(0, eq)));
        std::string value = trim(s.substr(eq + 1));
        if (in_other_section || window == nullptr) continue;  // [Window Titles], [VIEWS], ...
        if (key.rfind("gauge", 0) == 0) {
            if (!parse_int(key.substr(5))) fail(path, line, "bad gauge key '" + key + "'");
            window->gauges.push_back(parse_gauge_line(value, path, line));
        } else if (key == "size_mm") {
            auto [w, h] = parse_pair(value, path, line, key);
            if (w <= 0 || h <= 0) fail(path, line, "size_mm must be positive");
            window->size_x = w;
            window->size_y = h;
        } else if (key == "position" || key == "window_pos") {
            auto [x, y] = parse_pair(value, path, line, key);
            window->position_x = x;
            window->position_y = y;
        } else if (key == "ident") {
            auto id = parse_int(value);
            if (!id) fail(path, line, "ident must be a number");
            window->ident = *id;
        } else if (key == "visible") {
            window->visible = value != "0";
        } else if (key == "background_color") {
            auto parts = split(value, ',', 4);
            if (parts.size() != 3) fail(path, line, "background_color takes r, g, b");
            unsigned rgb = 0;
            for (const std::string& p : parts) {
                auto c = parse_int(p);
                if (!c || *c < 0 || *c > 255) fail(path, line, "colour components are 0 to 255");
                rgb = (rgb << 8) | unsigned(*c);
            }
            window->background_color = rgb;
        } else if (key == "file") {
            window->background_file = value;
        } else if (key == "title") {
            window->title = value;
        }
    }
    return config;
}

PanelConfig read_panel_config(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw PanelConfigError("cannot read panel configuration " + path);
    std::stringstream ss;
    ss << in.rdbuf();
    return parse_panel_config(ss.str(), path);
}

}  // namespace host
