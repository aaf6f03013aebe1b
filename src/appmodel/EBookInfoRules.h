#pragma once
// "Edit E-Book Info" and "Edit Output": the values the dialogs edit (copies of the project's),
// their OK checks in order, and writing them back.

#include <string>

#include "appmodel/FieldFailure.h"

namespace nbx {

class Project;

struct EBookInfoValues {
    std::string title;
    std::string publisher;
    std::string copyright;
    std::string author;
    std::string authorEmail;
    std::string authorUrl;
};

enum class EBookInfoField { Title, Copyright, Author };

EBookInfoValues EBookInfoOf(const Project& project);
// Texts of blanks count as filled.
CheckResult<EBookInfoField> CheckEBookInfo(const EBookInfoValues& values);
// Writes every value and marks the project modified, changed or not.
void ApplyEBookInfo(const EBookInfoValues& values, Project& project);

struct OutputValues {
    std::string outputExe;
    bool buildRebrander = false;
    std::string rebranderExe;
    std::string rebranderTitle;  // opens with the effective title
    std::string rebranderStartMessage;
    std::string rebranderEndMessage;
};

enum class OutputField { EBookExe, RebranderExe, RebranderTitle, StartMessage, EndMessage };

OutputValues OutputOf(const Project& project);
// With the Rebrander off only the e-book path is checked. The two paths count as the same
// file, and their folders as the same folder, ignoring letter case: refusing a pair that
// differs only in case is harmless, and keeps a project usable on file systems that fold it.
CheckResult<OutputField> CheckOutput(const OutputValues& values);
void ApplyOutput(const OutputValues& values, Project& project);

// Where a path's save-file dialog starts: the path itself, or when it is empty the folder of
// the other output path.
std::string OutputBrowseStart(const std::string& own, const std::string& other);

}  // namespace nbx
