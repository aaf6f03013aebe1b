#pragma once
// The Rebrander's work on its e-book. A Rebrander program carries a record naming its e-book
// by file name and a trailer with the build time it shares with that e-book. This class finds
// the e-book beside the Rebrander, checks that both come from one build, lists the variables
// the author let resellers change, and writes the e-book anew with new values for them.
//
// The e-book is rewritten through a temporary file in its own folder that replaces it only
// once it is written whole (keeping its permission bits), so a failure at any point leaves
// the e-book as it was. Every message in error() is a complete sentence for the reseller.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "format/ArchiveReader.h"
#include "format/RandomAccessInput.h"
#include "format/RebranderRecord.h"

namespace nbx {

// A variable of the e-book that a reseller may change: rebrandable flag set and a kind that
// allows it (0 to 3).
struct RebrandableVariable {
    std::size_t tableIndex = 0;  // its row in the e-book's variables table
    std::string name;
    std::string description;
    std::string value;  // as the e-book holds it now
    std::int32_t kind = 0;
};

// One NAME=VALUE of the command line.
struct RebrandAssignment {
    std::string name;
    std::string value;
};

class EBookRebrander {
public:
    EBookRebrander();
    ~EBookRebrander();
    EBookRebrander(const EBookRebrander&) = delete;
    EBookRebrander& operator=(const EBookRebrander&) = delete;

    // Reads the record and trailer of the Rebrander program at rebranderPath. False with
    // error() set when the file is missing or carries no readable Rebrander data.
    bool ReadRebrander(const std::string& rebranderPath);

    // REQUIRES: ReadRebrander succeeded. Opens the e-book the record names in the
    // Rebrander's folder and checks that it comes from the same build. False with error()
    // set for a name that is not a plain file name, a missing or damaged e-book, or an
    // e-book of another build (the message names the e-book expected).
    bool OpenEBook();

    // ReadRebrander and OpenEBook.
    bool Open(const std::string& rebranderPath);

    const std::string& error() const { return error_; }
    const RebranderRecord& record() const { return record_; }
    const RebranderTrailer& trailer() const { return trailer_; }
    // Valid after OpenEBook.
    const std::string& ebookPath() const { return ebookPath_; }
    const std::vector<RebrandableVariable>& variables() const { return variables_; }

    // REQUIRES: OpenEBook succeeded. values holds one value per variables(), in order.
    // Checks every value that differs from the e-book's first (CheckRebrandValue); the first
    // failure returns false with its message and nothing is written. When no value differs,
    // nothing is written either. Otherwise the e-book is written anew; on failure it is left as it
    // was. On success variables() show the new values.
    bool Rewrite(const std::vector<std::string>& values);

    // Rewrite with the named variables set and every other keeping its value. A name that
    // is unknown, not rebrandable or given twice fails before anything is written.
    bool SetValues(const std::vector<RebrandAssignment>& assignments);

private:
    bool Fail(std::string message);
    void CloseEBook();
    bool WriteEBook(const std::vector<ArchiveVariable>& table);

    std::string rebranderPath_;
    RebranderRecord record_;
    RebranderTrailer trailer_;
    std::string ebookPath_;
    // The e-book stays open from the check to the rewrite, so the bytes copied are those of
    // the e-book that was checked. Declared before reader_, which reads through it.
    std::unique_ptr<FileInput> ebook_;
    ArchiveReader reader_;
    std::vector<RebrandableVariable> variables_;
    std::string error_;
};

// Empty when value may replace variable's value; otherwise the message. Single-line kinds
// take at most 255 characters and no line break, multi-line kinds at most 8192 characters
// (characters, not bytes, of UTF-8 text).
std::string CheckRebrandValue(const RebrandableVariable& variable, std::string_view value);

// Splits "NAME=VALUE" at its first '='. False for an argument without '=' or with an empty
// name.
bool ParseRebrandAssignment(std::string_view argument, RebrandAssignment& assignment);

}  // namespace nbx
