// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Just enough JSON for the page's view: one object of named fields.

#include <array>
#include <string>
#include <vector>

namespace velmora {

class JsonWriter {
  public:
    void Field(const char* name, bool value);
    void Field(const char* name, int value);
    void Field(const char* name, const std::string& value);
    void Field(const char* name, const std::vector<bool>& values);
    void Field(const char* name, const std::vector<int>& values);
    void Field(const char* name, const std::vector<double>& values);
    void Field(const char* name, const std::vector<std::string>& values);
    void Field(const char* name, const std::vector<std::array<double, 4>>& values);
    void Field(const char* name, double value);
    // An object, or a list of objects, written by writers of their own.
    void Field(const char* name, const JsonWriter& object);
    void Field(const char* name, const std::vector<JsonWriter>& objects);
    template <std::size_t N>
    void Field(const char* name, const std::array<std::string, N>& values) {
        Field(name, std::vector<std::string>(values.begin(), values.end()));
    }
    [[nodiscard]] std::string Finish() const { return text_ + "}"; }

  private:
    void Name(const char* name);
    std::string text_ = "{";
};

// A JSON string literal: quotes, backslashes and control characters escaped; the
// UTF-8 bytes as they are.
[[nodiscard]] std::string JsonString(const std::string& text);

} // namespace velmora
