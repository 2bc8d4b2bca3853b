#include "host/variables.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace host {

bool token_is_integer(uint32_t token) {
    switch (token) {
    case 16: case 18: case 23: case 24: case 38: case 46: case 276: case 279:
    case 132: case 167:
        return true;
    default:
        return false;
    }
}

Variables::Variables() {
    // A panel on the ground, radios on their usual frequencies, nothing failed.
    set_unsigned(16, 0x0350);   // ADF kHz, hundreds to units in packed decimal: 350 kHz
    set_unsigned(18, 0x0000);   // ADF thousands digit (x 256) and tenths
    set_unsigned(23, 0x1810);   // COM1 118.10 MHz
    set_unsigned(24, 0x1100);   // NAV1 111.00 MHz
    set_unsigned(38, 0x1200);   // transponder code 1200
    set_unsigned(46, 0x0000);   // NAV1 flags: no station
    set_unsigned(276, 0);       // the two horizon warning conditions: clear
    set_unsigned(279, 0);
    set_number(75, 1013.25);    // altimeter setting, millibars
    set_number(76, 29.92);      // altimeter setting, inches of mercury
}

VAR_VALUE Variables::get(uint32_t token) const {
    auto it = values_.find(token);
    if (it != values_.end()) return it->second;
    VAR_VALUE zero{};
    zero.n = 0.0;
    return zero;
}

double Variables::number(uint32_t token) const {
    VAR_VALUE v = get(token);
    return token_is_integer(token) ? double(v.u) : v.n;
}

uint32_t Variables::unsigned_value(uint32_t token) const { return get(token).u; }

void Variables::set_number(uint32_t token, double value) {
    VAR_VALUE v{};
    v.n = value;
    values_[token] = v;
}

void Variables::set_unsigned(uint32_t token, uint32_t value) {
    VAR_VALUE v{};
    v.n = 0.0;
    v.u = value;
    values_[token] = v;
}

std::optional<std::string> Variables::set_from_text(uint32_t token, const std::string& text) {
    if (text.empty()) return "empty value for token " + std::to_string(token);
    char* end = nullptr;
    errno = 0;
    if (token_is_integer(token)) {
        unsigned long long u = std::strtoull(text.c_str(), &end, 0);
        if (*end != '\0' || errno == ERANGE || u > 0xFFFFFFFFull || text[0] == '-')
            return "token " + std::to_string(token) + " takes an unsigned 32-bit integer, not '" +
                   text + "'";
        set_unsigned(token, uint32_t(u));
        return std::nullopt;
    }
    double d = std::strtod(text.c_str(), &end);
    if (*end != '\0') return "token " + std::to_string(token) + " takes a number, not '" + text + "'";
    set_number(token, d);
    return std::nullopt;
}

std::optional<Assignment> parse_assignment(const std::string& text, std::string* error) {
    auto eq = text.find('=');
    if (eq == std::string::npos || eq == 0 || eq + 1 == text.size()) {
        *error = "expected TOKEN=VALUE, got '" + text + "'";
        return std::nullopt;
    }
    std::string name = text.substr(0, eq);
    char* end = nullptr;
    errno = 0;
    unsigned long long token = std::strtoull(name.c_str(), &end, 0);
    if (*end != '\0' || errno == ERANGE || token > 0xFFFFFFFFull || name[0] == '-') {
        *error = "token must be a number, got '" + name + "'";
        return std::nullopt;
    }
    return Assignment{uint32_t(token), text.substr(eq + 1)};
}

}  // namespace host
