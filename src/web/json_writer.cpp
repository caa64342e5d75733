// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/json_writer.h"

#include "puzzle/number_text.h"

#include <cstdio>

namespace velmora {

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

void JsonWriter::Name(const char* name) {
    if (text_.size() > 1)
        text_ += ',';
    text_ += JsonString(name) + ':';
}

void JsonWriter::Field(const char* name, bool value) {
    Name(name);
    text_ += value ? "true" : "false";
}

void JsonWriter::Field(const char* name, int value) {
    Name(name);
    text_ += std::to_string(value);
}

void JsonWriter::Field(const char* name, const std::string& value) {
    Name(name);
    text_ += JsonString(value);
}

void JsonWriter::Field(const char* name, const std::vector<bool>& values) {
    Name(name);
    text_ += '[';
    for (std::size_t i = 0; i < values.size(); ++i)
        text_ += std::string(i ? "," : "") + (values[i] ? "true" : "false");
    text_ += ']';
}

void JsonWriter::Field(const char* name, const std::vector<int>& values) {
    Name(name);
    text_ += '[';
    for (std::size_t i = 0; i < values.size(); ++i)
        text_ += (i ? "," : "") + std::to_string(values[i]);
    text_ += ']';
}

void JsonWriter::Field(const char* name, const std::vector<double>& values) {
    Name(name);
    text_ += '[';
    for (std::size_t i = 0; i < values.size(); ++i)
        text_ += (i ? "," : "") + NumberToText(values[i]);
    text_ += ']';
}

void JsonWriter::Field(const char* name, const std::vector<std::string>& values) {
    Name(name);
    text_ += '[';
    for (std::size_t i = 0; i < values.size(); ++i)
        text_ += std::string(i ? "," : "") + JsonString(values[i]);
    text_ += ']';
}

// Coordinates keep their fractions (3487.5), written in the C locale.
void JsonWriter::Field(const char* name, const std::vector<std::array<double, 4>>& values) {
    Name(name);
    text_ += '[';
    for (std::size_t i = 0; i < values.size(); ++i) {
        text_ += i ? ",[" : "[";
        for (std::size_t k = 0; k < 4; ++k)
            text_ += std::string(k ? "," : "") + NumberToText(values[i][k]);
        text_ += ']';
    }
    text_ += ']';
}

void JsonWriter::Field(const char* name, double value) {
    Name(name);
    text_ += NumberToText(value);
}

void JsonWriter::Field(const char* name, const JsonWriter& object) {
    Name(name);
    text_ += object.Finish();
}

void JsonWriter::Field(const char* name, const std::vector<JsonWriter>& objects) {
    Name(name);
    text_ += '[';
    for (std::size_t i = 0; i < objects.size(); ++i)
        text_ += (i ? "," : "") + objects[i].Finish();
    text_ += ']';
}

} // namespace velmora
