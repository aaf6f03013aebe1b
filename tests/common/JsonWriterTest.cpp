#include "common/JsonWriter.h"

#include <gtest/gtest.h>

namespace nbx {
namespace {

TEST(JsonWriterTest, WritesNestedValuesWithTheirCommas) {
    JsonWriter j;
    j.BeginObject().Key("a").Int(-3).Key("list").BeginArray();
    j.String("x").Bool(true).Null().BeginObject().EndObject().BeginArray().EndArray();
    j.EndArray().Key("b").Bool(false).EndObject();
    EXPECT_EQ(j.Text(), R"({"a":-3,"list":["x",true,null,{},[]],"b":false})");
}

// A string may also stand inside a script element or an attribute of a page.
TEST(JsonWriterTest, StringsCannotEndTheirQuoteNorTheirScript) {
    EXPECT_EQ(JsonQuoted("say \"hi\" \\ </script><!-- & \n\t\x01\x7f"),
              R"("say \"hi\" \\ \u003c/script\u003e\u003c!-- \u0026 \u000a\u0009\u0001\u007f")");
    EXPECT_EQ(JsonQuoted("\xC3\xBC"), "\"\xC3\xBC\"");  // UTF-8 passes as it is
}

}  // namespace
}  // namespace nbx
