// tamselc inspect FILE: an e-book (or a Rebrander) as one JSON object on stdout.

#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "cli/Command.h"
#include "common/VisibleText.h"
#include "format/ArchiveReader.h"
#include "format/RebranderReader.h"
#include "format/RecordFormat.h"
#include "format/SearchIndexReader.h"

namespace nbx::cli {

namespace {

using nlohmann::json;

// Turns whatever a Visit... function hands it into JSON members; reserved items are left out.
class JsonVisitor {
public:
    explicit JsonVisitor(json& out) : out_(out) {}
    void Magic(std::uint32_t) {}
    template <class T>
    void Item(const char* name, const T& value) {
        if (std::string_view(name).starts_with("reserved")) {
            return;
        }
        out_[name] = value;
    }
    template <std::size_t N>
    void Block(const char*, const std::array<std::uint8_t, N>&) {}

private:
    json& out_;
};

template <class Record, class Visit>
json ToJson(const Record& record, Visit visit) {
    json out = json::object();
    JsonVisitor v(out);
    visit(record, v);
    return out;
}

// The search index's size in pages and terms, or why it does not read.
json SearchIndexSummary(ArchiveReader& archive, std::size_t entry) {
    std::unique_ptr<RandomAccessInput> input = archive.StoredEntryInput(entry);
    if (!input) {
        std::string bytes;
        if (!archive.ReadEntry(entry, bytes)) {
            return {{"error", archive.error()}};
        }
        input = std::make_unique<StringInput>(std::move(bytes));
    }
    SearchIndexReader index;
    if (!index.Open(std::move(input))) {
        return {{"error", index.error()}};
    }
    return {{"pages", index.pages().size()}, {"terms", index.termCount()}};
}

void Print(const json& j, std::ostream& out) {
    // Texts are bytes of the author's code page; anything that is not UTF-8 is shown replaced,
    // and nothing in them reaches the terminal as a control.
    out << JsonWithVisibleControls(j.dump(2, ' ', false, json::error_handler_t::replace)) << "\n";
}

}  // namespace

int RunInspect(const Args& args, Console& console) {
    if (args.size() != 1) {
        console.err << "Usage: tamselc inspect FILE\n";
        return 2;
    }
    ArchiveReader reader;
    if (reader.Open(args[0])) {
        json out;
        out["trailer"] =
            ToJson(reader.trailer(), [](auto& r, auto& v) { VisitArchiveTrailer(r, v); });
        out["settings"] =
            ToJson(reader.settings(), [](auto& r, auto& v) { VisitSettingsRecord(r, v); });
        out["directory"] = json::array();
        for (const auto& e : reader.directory()) {
            out["directory"].push_back(
                ToJson(e, [](auto& r, auto& v) { VisitDirectoryEntry(r, v); }));
        }
        out["variables"] = json::array();
        for (const auto& var : reader.variables()) {
            out["variables"].push_back(
                ToJson(var, [](auto& r, auto& v) { VisitArchiveVariable(r, v); }));
        }
        if (const long at = reader.FindEntry(record::kSearchIndexEntryName); at >= 0) {
            out["searchIndex"] = SearchIndexSummary(reader, static_cast<std::size_t>(at));
        }
        Print(out, console.out);
        return 0;
    }

    // Not an e-book; it may be a Rebrander.
    FileInput input;
    if (input.Open(args[0])) {
        RebranderTrailer trailer;
        RebranderRecord record;
        std::string error;
        if (ReadRebranderFile(input, trailer, record, error)) {
            json out;
            out["trailer"] = ToJson(trailer, [](auto& r, auto& v) { VisitRebranderTrailer(r, v); });
            out["record"] = ToJson(record, [](auto& r, auto& v) { VisitRebranderRecord(r, v); });
            Print(out, console.out);
            return 0;
        }
    }
    console.err << "tamselc inspect: " << args[0] << ": " << reader.error() << "\n";
    return 1;
}

}  // namespace nbx::cli
