#pragma once
// Pictures from a book (page pictures, the splash picture, the toolbar images) decoded only
// when their header claims a size within the reader's limit (reader/PictureLimit.h).

#include <QImage>
#include <string_view>

namespace nbx::reader {
class PictureBudget;
}

namespace nbx::eview {

// The picture, or a null image when its header does not read, it is over the limit, it does
// not fit what is left of budget (when given), or it does not decode.
QImage DecodeBookPicture(std::string_view bytes, reader::PictureBudget* budget = nullptr);

}  // namespace nbx::eview
