#include <gtest/gtest.h>

#include <string>

#include "format/ByteSink.h"
#include "format/ToolbarFile.h"

namespace nbx {
namespace {

using toolbar::ToolbarButton;

const std::string kPng = std::string(toolbar::kPngSignature) + "rest of image";

ToolbarFile Sample() {
    ToolbarFile file;
    file.cellWidth = 24;
    file.cellHeight = 20;
    file.buttons = {ToolbarButton::Next, ToolbarButton::Back, ToolbarButton::Exit};
    file.png = kPng;
    return file;
}

std::string Bytes(const ToolbarFile& file) {
    std::string out;
    StringSink sink(out);
    std::string error;
    EXPECT_TRUE(WriteToolbarFile(file, sink, error)) << error;
    return out;
}

std::string Le32(std::uint32_t v) {
    std::string s;
    for (int i = 0; i < 4; ++i) {
        s += static_cast<char>((v >> (8 * i)) & 0xFF);
    }
    return s;
}

TEST(ToolbarFileTest, WriteThenReadGivesTheSameFile) {
    const std::string bytes = Bytes(Sample());
    EXPECT_EQ(bytes.substr(0, 8), "NBXTOOLB");
    EXPECT_EQ(bytes.size(), 24u + 3 * 4 + 4 + kPng.size());
    ToolbarFile read;
    std::string error;
    ASSERT_TRUE(ReadToolbarFile(bytes + "ignored", read, error)) << error;
    EXPECT_EQ(read.cellWidth, 24u);
    EXPECT_EQ(read.cellHeight, 20u);
    EXPECT_EQ(read.buttons, Sample().buttons);
    EXPECT_EQ(read.png, kPng);
    EXPECT_EQ(read.CellOf(ToolbarButton::Back), 1);
    EXPECT_EQ(read.CellOf(ToolbarButton::Print), -1);
}

TEST(ToolbarFileTest, DamagedFilesAreRefused) {
    const std::string good = Bytes(Sample());
    const auto with = [&](std::size_t at, const std::string& replacement) {
        std::string b = good;
        b.replace(at, replacement.size(), replacement);
        return b;
    };
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"empty", ""},
        {"header cut short", good.substr(0, 23)},
        {"signature", with(0, "NBXTOOLC")},
        {"version", with(8, Le32(2))},
        {"cell width 0", with(12, Le32(0))},
        {"cell height too large", with(16, Le32(257))},
        {"no buttons", with(20, Le32(0))},
        {"too many buttons", with(20, Le32(65))},
        {"count beyond the data", with(20, Le32(64))},
        {"button list cut short", good.substr(0, 30)},
        {"unknown button", with(24, Le32(16))},
        {"reserved button", with(24, Le32(11))},
        {"repeated button", with(28, Le32(13))},
        {"image length beyond the data", with(36, Le32(0xFFFFFFFF))},
        {"image cut short", good.substr(0, good.size() - 1)},
        {"not a PNG", with(40, "GIF89a")},
    };
    for (const Case& c : cases) {
        ToolbarFile file = Sample();
        file.cellWidth = 7;
        std::string error;
        EXPECT_FALSE(ReadToolbarFile(c.bytes, file, error)) << c.what;
        EXPECT_FALSE(error.empty()) << c.what;
        EXPECT_EQ(file.cellWidth, 7u) << c.what;  // unchanged
    }
}

TEST(ToolbarFileTest, WriterRefusesWhatWouldNotReadBack) {
    std::string out;
    StringSink sink(out);
    std::string error;
    ToolbarFile noPng = Sample();
    noPng.png = "not an image";
    EXPECT_FALSE(WriteToolbarFile(noPng, sink, error));
    ToolbarFile twice = Sample();
    twice.buttons.push_back(ToolbarButton::Back);
    EXPECT_FALSE(WriteToolbarFile(twice, sink, error));
    ToolbarFile noButtons = Sample();
    noButtons.buttons.clear();
    EXPECT_FALSE(WriteToolbarFile(noButtons, sink, error));
    EXPECT_TRUE(out.empty());
}

}  // namespace
}  // namespace nbx
