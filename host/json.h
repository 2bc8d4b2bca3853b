// A small JSON value for the host's command-line output.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace host {

class Json {
public:
    Json() : kind_(Kind::Null) {}
    explicit Json(double n) : kind_(Kind::Number), number_(n) {}
    explicit Json(const std::string& s) : kind_(Kind::String), text_(s) {}
    explicit Json(const char* s) : kind_(Kind::String), text_(s ? s : "") {}
    static Json boolean(bool b) {
        Json j;
        j.kind_ = Kind::Bool;
        j.number_ = b ? 1 : 0;
        return j;
    }
    static Json object() {
        Json j;
        j.kind_ = Kind::Object;
        return j;
    }
    static Json array() {
        Json j;
        j.kind_ = Kind::Array;
        return j;
    }

    void set(const std::string& key, Json value) { members_.emplace_back(key, std::move(value)); }
    void push(Json value) { items_.push_back(std::move(value)); }
    // Non-finite numbers are written as null.
    std::string dump() const;

private:
    enum class Kind { Null, Bool, Number, String, Object, Array };
    Kind kind_;
    double number_ = 0;
    std::string text_;
    std::vector<std::pair<std::string, Json>> members_;
    std::vector<Json> items_;
};

std::string json_quote(const std::string& s);

}  // namespace host
