// The simulation variables the host keeps: one value per token, read by the
// gauges through element sources and lookup_var.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "module/gauge_model.h"

namespace host {

// Tokens whose value is an unsigned 32-bit integer in the first four bytes of
// the value field (radio frequencies and codes in packed decimal, magneto
// selectors); every other token holds a double.
bool token_is_integer(uint32_t token);

class Variables {
public:
    Variables();

    // The value as the host hands it over: a double, or an integer in the first
    // four bytes for integer tokens. Unknown tokens read 0.
    VAR_VALUE get(uint32_t token) const;
    double number(uint32_t token) const;
    uint32_t unsigned_value(uint32_t token) const;

    void set_number(uint32_t token, double value);
    void set_unsigned(uint32_t token, uint32_t value);
    // Sets a token from text: integer tokens take decimal or 0x-hex, others a double.
    // Returns an error message for malformed text.
    std::optional<std::string> set_from_text(uint32_t token, const std::string& text);

    const std::map<uint32_t, VAR_VALUE>& all() const { return values_; }

private:
    std::map<uint32_t, VAR_VALUE> values_;
};

// Parses "TOKEN=VALUE" as given on the command line.
struct Assignment {
    uint32_t token = 0;
    std::string value;
};
std::optional<Assignment> parse_assignment(const std::string& text, std::string* error);

}  // namespace host
