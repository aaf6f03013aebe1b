#include "rebranding/EBookRebrander.h"

#include <cerrno>
#include <ctime>
#include <set>
#include <vector>

#include "common/VisibleText.h"
#include "format/ArchiveRecordWriter.h"
#include "format/ByteSink.h"
#include "format/RebranderReader.h"
#include "format/RecordStreamWriter.h"
#include "platform/AtomicFileWriter.h"
#include "platform/FileLock.h"
#include "platform/Paths.h"
#include "platform/SystemError.h"
#include "variables/VariableKind.h"

namespace nbx {

namespace {

// Lets the archive reader read through the e-book that the rebrander keeps open.
class BorrowedInput final : public RandomAccessInput {
public:
    explicit BorrowedInput(RandomAccessInput& inner) : inner_(inner) {}
    std::uint64_t Size() const override { return inner_.Size(); }
    bool ReadAt(std::uint64_t offset, void* data, std::size_t size) override {
        return inner_.ReadAt(offset, data, size);
    }

private:
    RandomAccessInput& inner_;
};

// A name in a message, in quotes; the names come from the Rebrander's record and the e-book,
// so a control or direction character in one is shown, not obeyed.
std::string Quoted(std::string_view text) {
    return "\"" + WithVisibleControls(text) + "\"";
}

// The build time as people read it, in local time.
std::string BuildTimeText(std::uint32_t buildTime) {
    const std::time_t t = static_cast<std::time_t>(buildTime);
    std::tm local{};
    char text[32] = {};
    if (::localtime_r(&t, &local) == nullptr ||
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local) == 0) {
        return std::to_string(buildTime);
    }
    return text;
}

// Characters of UTF-8 text: every byte that does not continue a sequence.
std::size_t CharacterCount(std::string_view text) {
    std::size_t n = 0;
    for (const char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++n;
        }
    }
    return n;
}

}  // namespace

EBookRebrander::EBookRebrander() = default;
EBookRebrander::~EBookRebrander() = default;

bool EBookRebrander::Fail(std::string message) {
    error_ = std::move(message);
    return false;
}

bool EBookRebrander::ReadRebrander(const std::string& rebranderPath) {
    rebranderPath_ = rebranderPath;
    record_ = {};
    trailer_ = {};
    error_.clear();
    FileInput self;
    if (!self.Open(rebranderPath)) {
        return Fail("Cannot open the Rebrander " + Quoted(rebranderPath) + ": " +
                    platform::SystemErrorText(self.error()) + ".");
    }
    std::string why;
    if (!ReadRebranderFile(self, trailer_, record_, why)) {
        return Fail("The Rebrander " + Quoted(platform::FileNameOfPath(rebranderPath)) +
                    " carries no e-book details (" + why + "). Build it again.");
    }
    return true;
}

void EBookRebrander::CloseEBook() {
    reader_ = ArchiveReader();  // it reads through ebook_, so it goes first
    ebook_.reset();
    variables_.clear();
}

bool EBookRebrander::OpenEBook() {
    CloseEBook();
    error_.clear();
    const std::string& name = record_.ebookFileName;
    if (!platform::IsPlainFileName(name)) {
        return Fail("The Rebrander names its e-book " + Quoted(name) +
                    ", which is not a plain file name. Build the Rebrander again.");
    }
    std::string folder = platform::FolderPartOfPath(rebranderPath_);
    ebookPath_ = folder.empty() ? name : platform::JoinPath(folder, name);
    // The folder as the messages name it.
    if (folder.empty()) {
        folder = ".";
    } else if (folder.size() > 1) {
        folder.pop_back();
    }

    ebook_ = std::make_unique<FileInput>();
    if (!ebook_->Open(ebookPath_)) {
        const int code = ebook_->error();
        CloseEBook();
        if (code == ENOENT) {
            return Fail("Cannot find the e-book " + Quoted(name) + " in the folder " +
                        Quoted(folder) + ". Put this Rebrander in the folder that holds " +
                        Quoted(name) + ".");
        }
        return Fail("Cannot open the e-book " + Quoted(ebookPath_) + ": " +
                    platform::SystemErrorText(code) + ".");
    }
    if (!reader_.Open(std::make_unique<BorrowedInput>(*ebook_))) {
        const std::string why = reader_.error();
        CloseEBook();
        return Fail("The e-book " + Quoted(ebookPath_) + " cannot be read: " + why + ".");
    }
    if (reader_.trailer().buildTime != trailer_.buildTime) {
        const std::uint32_t ebookTime = reader_.trailer().buildTime;
        CloseEBook();
        return Fail("This Rebrander belongs to the e-book " + Quoted(name) + " built " +
                    BuildTimeText(trailer_.buildTime) + ", but the e-book " + Quoted(name) +
                    " in the folder " + Quoted(folder) + " was built " + BuildTimeText(ebookTime) +
                    ". Put this Rebrander beside the e-book it was built with.");
    }

    const auto& table = reader_.variables();
    for (std::size_t i = 0; i < table.size(); ++i) {
        const ArchiveVariable& v = table[i];
        if (v.canRebrand != 0 && IsRebrandableKind(v.kind)) {
            variables_.push_back({i, v.name, v.description, v.value, v.kind});
        }
    }
    return true;
}

bool EBookRebrander::Open(const std::string& rebranderPath) {
    return ReadRebrander(rebranderPath) && OpenEBook();
}

bool EBookRebrander::Rewrite(const std::vector<std::string>& values) {
    error_.clear();
    if (!ebook_) {
        return Fail("No e-book is open.");
    }
    if (values.size() != variables_.size()) {
        return Fail("Expected " + std::to_string(variables_.size()) + " values, got " +
                    std::to_string(values.size()) + ".");
    }
    // A value left as it is stays as the author wrote it, even where it breaks a rule.
    bool changed = false;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (values[i] == variables_[i].value) {
            continue;
        }
        std::string why = CheckRebrandValue(variables_[i], values[i]);
        if (!why.empty()) {
            return Fail(std::move(why));
        }
        changed = true;
    }
    if (!changed) {
        return true;
    }
    std::vector<ArchiveVariable> table = reader_.variables();
    for (std::size_t i = 0; i < values.size(); ++i) {
        table[variables_[i].tableIndex].value = values[i];
    }
    // One rewrite at a time, and only of the e-book that was read: another Rebrander may
    // have put a new e-book in its place since, whose values this one would lose.
    platform::FileLock lock;
    if (!lock.TryLockExclusive(ebookPath_)) {
        if (lock.error() == EWOULDBLOCK) {
            return Fail("Another Rebrander is writing the e-book " + Quoted(ebookPath_) +
                        " right now. Try again when it has finished; the e-book was left as it "
                        "was.");
        }
        return Fail("Unable to write the e-book " + Quoted(ebookPath_) + ": " +
                    platform::SystemErrorText(lock.error()) + ". The e-book was left as it was.");
    }
    if (!lock.IsFileOf(ebook_->file().descriptor())) {
        return Fail("Another Rebrander has changed the e-book " + Quoted(ebookPath_) +
                    " since it was opened. Open it again to see its values; the e-book was left "
                    "as it was.");
    }
    if (!WriteEBook(table)) {
        return false;
    }
    // Read the new e-book back, so that what is shown and any later rewrite start from it.
    if (!OpenEBook()) {
        return Fail("The e-book " + Quoted(ebookPath_) +
                    " was written but cannot be read back: " + error_);
    }
    return true;
}

bool EBookRebrander::SetValues(const std::vector<RebrandAssignment>& assignments) {
    error_.clear();
    if (!ebook_) {
        return Fail("No e-book is open.");
    }
    std::vector<std::string> values;
    std::set<std::string> rebrandable;
    for (const RebrandableVariable& v : variables_) {
        values.push_back(v.value);
        rebrandable.insert(v.name);
    }
    std::set<std::string> seen;
    for (const RebrandAssignment& a : assignments) {
        if (!seen.insert(a.name).second) {
            return Fail("The variable " + Quoted(a.name) + " is given more than once.");
        }
        if (rebrandable.count(a.name) == 0) {
            const std::string book = Quoted(record_.ebookFileName);
            for (const ArchiveVariable& v : reader_.variables()) {
                if (v.name == a.name) {
                    return Fail("The variable " + Quoted(a.name) + " of the e-book " + book +
                                " cannot be rebranded.");
                }
            }
            return Fail("The e-book " + book + " has no variable " + Quoted(a.name) + ".");
        }
        // A table may hold a name twice; every rebrandable row of it takes the value.
        for (std::size_t i = 0; i < variables_.size(); ++i) {
            if (variables_[i].name == a.name) {
                values[i] = a.value;
            }
        }
    }
    return Rewrite(values);
}

bool EBookRebrander::WriteEBook(const std::vector<ArchiveVariable>& table) {
    const std::string failure = "Unable to write the e-book " + Quoted(ebookPath_) + ": ";
    const std::string unchanged = ". The e-book was left as it was.";
    platform::AtomicFileWriter out(ebookPath_);
    if (!out.Open()) {
        return Fail(failure + platform::SystemErrorText(out.error()) + unchanged);
    }
    // Everything before the variables table stays byte for byte.
    const auto tableOffset = static_cast<std::uint64_t>(reader_.trailer().variablesOffset);
    if (!out.CopyFrom(ebook_->file(), 0, tableOffset)) {
        return Fail(failure + platform::SystemErrorText(out.error()) + unchanged);
    }
    AtomicFileSink sink(out);
    RecordStreamWriter writer(sink);
    ArchiveTrailer trailer = reader_.trailer();
    trailer.variablesOffset = static_cast<std::int32_t>(tableOffset);
    if (!WriteVariablesTable(writer, table) || !WriteArchiveTrailer(writer, trailer) ||
        !writer.Flush() || !out.Commit()) {
        const int code = out.error();
        return Fail(failure +
                    (code != 0 ? platform::SystemErrorText(code) : "the values do not fit") +
                    unchanged);
    }
    return true;
}

std::string CheckRebrandValue(const RebrandableVariable& variable, std::string_view value) {
    const ValueEditor editor = EditorForKind(variable.kind);
    const std::size_t limit = MaxValueLength(editor);
    const std::size_t length = CharacterCount(value);
    if (length > limit) {
        return "The value of " + Quoted(variable.name) + " is " + std::to_string(length) +
               " characters long; it may have at most " + std::to_string(limit) + ".";
    }
    if (editor == ValueEditor::SingleLine && value.find_first_of("\r\n") != value.npos) {
        return "The value of " + Quoted(variable.name) + " must be a single line.";
    }
    return {};
}

bool ParseRebrandAssignment(std::string_view argument, RebrandAssignment& assignment) {
    const std::size_t eq = argument.find('=');
    if (eq == argument.npos || eq == 0) {
        return false;
    }
    assignment.name = std::string(argument.substr(0, eq));
    assignment.value = std::string(argument.substr(eq + 1));
    return true;
}

}  // namespace nbx
