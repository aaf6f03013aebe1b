// The Build Series dialog's checks: each field's range, then the series range.

#include <gtest/gtest.h>

#include "appmodel/BuildSeriesRules.h"

namespace nbx {
namespace {

TEST(BuildSeriesRules, ChecksInOrderWithTheField) {
    struct Case {
        const char* first;
        const char* last;
        const char* message;  // empty: accepted
        SeriesField field;
    };
    const Case cases[] = {
        {"", "10", "Please enter an integer between 0 and 999999.", SeriesField::First},
        {"-1", "10", "Please enter an integer between 0 and 999999.", SeriesField::First},
        {"1000000", "10", "Please enter an integer between 0 and 999999.", SeriesField::First},
        {"1x", "10", "Please enter an integer between 0 and 999999.", SeriesField::First},
        {"99999999999999999999999", "1", "Please enter an integer between 0 and 999999.",
         SeriesField::First},
        {"5", "0", "Please enter an integer between 1 and 999999.", SeriesField::Last},
        {"5", "1000000", "Please enter an integer between 1 and 999999.", SeriesField::Last},
        {"5", "5", "First item in series must be numbered smaller than last item.",
         SeriesField::First},
        {"9", "5", "First item in series must be numbered smaller than last item.",
         SeriesField::First},
        {"0", "999999", "", SeriesField::First},
        {" 1 ", "100", "", SeriesField::First},
    };
    for (const Case& c : cases) {
        SeriesNumbers numbers;
        const auto failure = CheckSeriesNumbers(c.first, c.last, numbers);
        EXPECT_EQ(failure ? failure->message : "", c.message) << c.first << ".." << c.last;
        if (failure) {
            EXPECT_EQ(failure->field, c.field) << c.first << ".." << c.last;
        }
    }
    SeriesNumbers numbers;
    ASSERT_FALSE(CheckSeriesNumbers("3", "7", numbers));
    EXPECT_EQ(numbers.first, 3);
    EXPECT_EQ(numbers.last, 7);
}

}  // namespace
}  // namespace nbx
