#pragma once
// The numbers of the Build Series progress window: its range, position and the percentage in
// its title. The position counts the steps taken from 0; the range's width is the number of
// steps (a series of items first to last runs SetRange(first - 1, last, 1)). The window
// draws them.

#include <string>
#include <string_view>

namespace nbx {

class ProgressWindowModel {
public:
    void SetRange(int lower, int upper, int step);
    // position += step.
    void StepIt() { SetPosition(position_ + step_); }
    // Stores p; the title changes only when the percentage differs from the last one shown.
    void SetPosition(int position);

    // p * 100 / (upper - lower) when lower < upper, else 0.
    int Percentage() const;
    int lower() const { return lower_; }
    int upper() const { return upper_; }
    int position() const { return position_; }
    // "caption [n%]" once a position was set, the caption alone before.
    std::string Title(std::string_view caption) const;

private:
    int lower_ = 0;
    int upper_ = 100;
    int step_ = 1;
    int position_ = 0;
    int shownPercentage_ = 0;
    bool shown_ = false;
};

}  // namespace nbx
