#include "compile/SeriesTexts.h"

#include <cstdio>

#include "platform/Paths.h"

namespace nbx {

namespace {

std::string Format(const char* format, std::int64_t a, std::int64_t b = 0, std::int64_t c = 0) {
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, format, static_cast<long long>(a),
                  static_cast<long long>(b), static_cast<long long>(c));
    return buffer;
}

// "1 day", "2 days"
std::string Quantity(std::uint64_t n, const char* word) {
    std::string text = std::to_string(n) + " " + word;
    if (n != 1) {
        text += "s";
    }
    return text;
}

}  // namespace

std::optional<SeriesNameTemplate> SeriesNameTemplate::FromPath(const std::string& path) {
    // Programs here carry no ending: a name without one takes the number at its end.
    const std::string name = platform::FileNameOfPath(path);
    if (!name.empty() && name.find('.') == std::string::npos) {
        SeriesNameTemplate t;
        t.stem_ = path;
        return t;
    }
    if (path.size() <= 4) {
        return std::nullopt;
    }
    std::string ending = path.substr(path.size() - 4);
    std::string upper = ending;
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    if (upper != ".EXE") {
        return std::nullopt;
    }
    SeriesNameTemplate t;
    t.stem_ = path.substr(0, path.size() - 4);
    t.ending_ = std::move(ending);
    return t;
}

std::string SeriesNameTemplate::PathAt(std::int64_t number) const {
    return stem_ + std::to_string(number) + ending_;
}

std::string SeriesNameTemplate::NameAt(std::int64_t number) const {
    return platform::FileNameOfPath(PathAt(number));
}

std::string SeriesNumberRangeMessage(std::int64_t min) {
    return "Please enter an integer between " + std::to_string(min) + " and " +
           std::to_string(kSeriesNumberMax) + ".";
}

std::string CheckSeriesNumbers(std::int64_t first, std::int64_t last) {
    if (first < kSeriesFirstMin || first > kSeriesNumberMax) {
        return SeriesNumberRangeMessage(kSeriesFirstMin);
    }
    if (last < kSeriesLastMin || last > kSeriesNumberMax) {
        return SeriesNumberRangeMessage(kSeriesLastMin);
    }
    return CheckSeriesRange(first, last);
}

std::string CheckSeriesRange(std::int64_t first, std::int64_t last) {
    if (first >= last) {
        return "First item in series must be numbered smaller than last item.";
    }
    if (last - first + 1 > 1000000) {
        return "Too many E-Books in series.";
    }
    return {};
}

std::string SeriesSummaryText(std::int64_t count, bool withRebranders) {
    if (withRebranders) {
        return Format(count == 1 ? "%lld E-Book EXE and %lld Rebrander EXE (%lld files)."
                                 : "%lld E-Book EXEs and %lld Rebrander EXEs (%lld files).",
                      count, count, 2 * count);
    }
    return Format(count == 1 ? "%lld E-Book EXE (%lld files)." : "%lld E-Book EXEs (%lld files).",
                  count, count);
}

std::string SeriesNamesText(const SeriesNameTemplate& book, const SeriesNameTemplate* rebrander,
                            std::int64_t first, std::int64_t last) {
    std::string text = book.NameAt(first) + " to " + book.NameAt(last);
    if (rebrander) {
        text += ", and " + rebrander->NameAt(first) + " to " + rebrander->NameAt(last);
    }
    return text + ".";
}

std::string SeriesDurationText(std::uint64_t total) {
    const std::uint64_t parts[] = {total / 86400000, total / 3600000 % 24, total / 60000 % 60,
                                   total / 1000 % 60};
    const char* const words[] = {"day", "hour", "minute", "second"};
    std::string text;
    int written = 0;
    for (int i = 0; i < 4 && written < 3; ++i) {
        if (parts[i] != 0) {
            if (written > 0) {
                text += " ";
            }
            text += Quantity(parts[i], words[i]);
            ++written;
        }
    }
    if (written == 0) {
        text = Quantity(total % 1000, "millisecond");
    }
    return text;
}

std::string SeriesDiskSpaceText(std::int64_t n, std::int64_t s) {
    int unit = 0;
    // Scale the count and the size down by turns so their product stays readable; each step
    // moves one unit up.
    while (unit < 3) {
        if (n > 2000) {
            n = n / 1000 + 1;
        } else if (s > 2000) {
            s = s / 1000 + 1;
        } else if (n > 1000 && s > 100) {
            n = n / 100 + 1;
            s = s / 10 + 1;
        } else if (s > 1000 && n > 100) {
            s = s / 100 + 1;
            n = n / 10 + 1;
        } else if (n > 500 && s > 100) {
            n = n / 50 + 1;
            s = s / 20 + 1;
        } else if (s > 500 && n > 20) {
            s = s / 50 + 1;
            n = n / 20 + 1;
        } else {
            break;
        }
        ++unit;
    }
    std::int64_t v = n * s;
    while (v > 9999 && unit < 3) {
        v = v / 1000 + 1;
        ++unit;
    }
    static const char* const kUnits[] = {"bytes", "Kilobytes", "Megabytes", "Gigabytes"};
    return std::to_string(v) + " " + kUnits[unit];
}

std::string SeriesQuestionText(const std::string& summary, const std::string& names,
                               const std::string& duration, const std::string& space) {
    return "Build Series:\n\nYou have asked to build " + summary + "\n\nThe files will be named " +
           names + "\n\nWe estimate this will take " + duration + " to finish., and will require " +
           space + " of disk space.\n\nDo you wish to proceed?";
}

}  // namespace nbx
