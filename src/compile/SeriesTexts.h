#pragma once
// The names, estimates and messages of a Build Series: pure functions of the numbers, so the
// texts can be checked without building anything.

#include <cstdint>
#include <optional>
#include <string>

namespace nbx {

// An output path with the item number inserted before its ".exe" ending (any letter case,
// kept as written): "/out/book.exe" gives "/out/book7.exe" for 7. A name with no ending at
// all, as programs here have, takes the number at its end: "/out/garden" gives
// "/out/garden7".
class SeriesNameTemplate {
public:
    // Empty when the name has an ending other than ".exe", or the path is just ".exe".
    static std::optional<SeriesNameTemplate> FromPath(const std::string& path);

    std::string PathAt(std::int64_t number) const;
    // The part of PathAt after its last separator.
    std::string NameAt(std::int64_t number) const;

private:
    std::string stem_;
    std::string ending_;
};

// The numbers the series dialog takes.
inline constexpr std::int64_t kSeriesFirstMin = 0;
inline constexpr std::int64_t kSeriesLastMin = 1;
inline constexpr std::int64_t kSeriesNumberMax = 999999;

// "Please enter an integer between MIN and 999999."
std::string SeriesNumberRangeMessage(std::int64_t min);

// The dialog's OK checks: each number within its field's range, then CheckSeriesRange. The
// first failure's message, or empty.
std::string CheckSeriesNumbers(std::int64_t first, std::int64_t last);

// The checks after the fields' ranges: first below last, at most 1,000,000 items.
std::string CheckSeriesRange(std::int64_t first, std::int64_t last);

// "3 E-Book EXEs (3 files)." and the Rebrander forms.
std::string SeriesSummaryText(std::int64_t count, bool withRebranders);

// "book1.exe to book3.exe." and, with Rebranders, ", and rb1.exe to rb3.exe" before the stop.
std::string SeriesNamesText(const SeriesNameTemplate& book, const SeriesNameTemplate* rebrander,
                            std::int64_t first, std::int64_t last);

// At most three of days, hours, minutes and seconds; milliseconds when all are zero.
std::string SeriesDurationText(std::uint64_t totalMilliseconds);

// The disk space estimate for count books of oneBookSize bytes each.
std::string SeriesDiskSpaceText(std::int64_t count, std::int64_t oneBookSize);

// The confirmation question.
std::string SeriesQuestionText(const std::string& summary, const std::string& names,
                               const std::string& duration, const std::string& space);

}  // namespace nbx
