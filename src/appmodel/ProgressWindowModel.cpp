#include "appmodel/ProgressWindowModel.h"

#include <cstdint>

namespace nbx {

void ProgressWindowModel::SetRange(int lower, int upper, int step) {
    lower_ = lower;
    upper_ = upper;
    step_ = step;
}

void ProgressWindowModel::SetPosition(int position) {
    position_ = position;
    const int percentage = Percentage();
    if (!shown_ || percentage != shownPercentage_) {
        shownPercentage_ = percentage;
        shown_ = true;
    }
}

int ProgressWindowModel::Percentage() const {
    if (lower_ >= upper_) {
        return 0;
    }
    // The position counts steps from 0, whatever the range's numbers; 64 bits, as a million
    // items would overflow the product in 32.
    return static_cast<int>(static_cast<std::int64_t>(position_) * 100 /
                            (static_cast<std::int64_t>(upper_) - lower_));
}

std::string ProgressWindowModel::Title(std::string_view caption) const {
    std::string title(caption);
    if (shown_) {
        title += " [" + std::to_string(shownPercentage_) + "%]";
    }
    return title;
}

}  // namespace nbx
