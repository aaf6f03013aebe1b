#pragma once
// A small JSON writer for what the served programs send their own pages. Strings are written
// so that they may also stand inside a script element: '<', '>' and '&' are escaped too.
//
//   JsonWriter j;
//   j.BeginObject().Key("seq").Int(3).Key("title").String(t).EndObject();
//   j.Text()  // {"seq":3,"title":"..."}

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace nbx {

class JsonWriter {
public:
    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& BeginArray();
    JsonWriter& EndArray();
    // Inside an object: the name of the next value.
    JsonWriter& Key(std::string_view name);
    JsonWriter& String(std::string_view text);
    JsonWriter& Int(std::int64_t value);
    JsonWriter& Bool(bool value);
    JsonWriter& Null();

    const std::string& Text() const { return out_; }

private:
    void BeforeValue();

    std::string out_;
    std::vector<bool> first_;  // per open object or array: no value written in it yet
    bool afterKey_ = false;
};

// text as a JSON string, quotes included, escaped as JsonWriter::String does.
std::string JsonQuoted(std::string_view text);

}  // namespace nbx
