#include "host/json.h"

#include <cmath>
#include <cstdio>

namespace host {

std::string json_quote(const std::string& s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += char(c);
            }
        }
    }
    return out + "\"";
}

std::string Json::dump() const {
    switch (kind_) {
    case Kind::Null: return "null";
    case Kind::Bool: return number_ != 0 ? "true" : "false";
    case Kind::Number: {
        if (!std::isfinite(number_)) return "null";
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.10g", number_);
        return buf;
    }
    case Kind::String: return json_quote(text_);
    case Kind::Object: {
        std::string out = "{";
        for (size_t i = 0; i < members_.size(); ++i) {
            if (i) out += ",";
            out += json_quote(members_[i].first) + ":" + members_[i].second.dump();
        }
        return out + "}";
    }
    case Kind::Array: {
        std::string out = "[";
        for (size_t i = 0; i < items_.size(); ++i) {
            if (i) out += ",";
            out += items_[i].dump();
        }
        return out + "]";
    }
    }
    return "null";
}

}  // namespace host
