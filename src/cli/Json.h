// JsonWriter: a small streaming writer of JSON with stable key order and
// two-space indentation, for the machine-readable output of the verbs.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly::cli {

class JsonWriter {
public:
    explicit JsonWriter(std::ostream& out) : out_(out) {}

    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& BeginArray();
    JsonWriter& EndArray();
    // The key of the next value inside an object.
    JsonWriter& Key(std::string_view key);
    JsonWriter& String(std::string_view value);
    JsonWriter& Number(double value);
    JsonWriter& Integer(std::int64_t value);
    JsonWriter& Bool(bool value);
    JsonWriter& Null();

    template <typename T>
    JsonWriter& Field(std::string_view key, const T& value) {
        Key(key);
        return Value(value);
    }

private:
    JsonWriter& Value(const std::string& v) { return String(v); }
    JsonWriter& Value(std::string_view v) { return String(v); }
    JsonWriter& Value(const char* v) { return String(v); }
    JsonWriter& Value(bool v) { return Bool(v); }
    JsonWriter& Value(int v) { return Integer(v); }
    JsonWriter& Value(unsigned v) { return Integer(v); }
    JsonWriter& Value(std::int64_t v) { return Integer(v); }
    JsonWriter& Value(std::size_t v) { return Integer(static_cast<std::int64_t>(v)); }
    JsonWriter& Value(float v) { return Number(v); }
    JsonWriter& Value(double v) { return Number(v); }

    void BeforeValue();
    void NewLine();

    std::ostream& out_;
    struct Level {
        bool array;
        bool empty;
    };
    std::vector<Level> levels_;
    bool afterKey_ = false;
};

// Escapes a string for JSON (quotes included). Bytes that are not valid
// UTF-8 are written as U+FFFD.
std::string JsonQuote(std::string_view text);

}  // namespace tessaly::cli
