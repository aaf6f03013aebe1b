#pragma once
// The read-only summaries of the compiler window's settings tabs: rows of a label and a
// value. A heading row has an empty value; the rows under it are indented by one blank; an
// empty row separates sections. The window only draws them.

#include <string>
#include <vector>

namespace nbx {

class Project;
class ExtensionRegistry;

struct SummaryRow {
    std::string label;
    std::string value;
    int section = 0;  // System Pages: 1 About, 3 Search Results, 4 Table Of Contents; else 0

    bool operator==(const SummaryRow&) const = default;
};
using SummaryRows = std::vector<SummaryRow>;

SummaryRows EBookInfoSummary(const Project& project);
SummaryRows IconSummary(const Project& project);
SummaryRows StartUpSummary(const Project& project);
SummaryRows UserInterfaceSummary(const Project& project);
SummaryRows SystemPagesSummary(const Project& project);
// registry: the loaded extensions (null: none), which tell the used ones from the missing.
SummaryRows AddInsSummary(const Project& project, const ExtensionRegistry* registry);
SummaryRows OutputSummary(const Project& project);

// "Yes" or "No".
std::string YesNo(bool value);

// Whether row i is a section heading: a label without an indent, no value, and indented rows
// under it. (A setting whose value is empty, "Publisher" say, has no rows under it.)
bool IsSummaryHeading(const SummaryRows& rows, std::size_t i);

}  // namespace nbx
