#include "eview/BookPicture.h"

#include <QBuffer>
#include <QImageReader>

#include "reader/PictureLimit.h"

namespace nbx::eview {

QImage DecodeBookPicture(std::string_view bytes, reader::PictureBudget* budget) {
    reader::PictureSize size;
    if (!reader::ReadPictureSize(bytes, size) || !reader::PictureMayBeDecoded(size) ||
        (budget && !budget->Take(size))) {
        return {};
    }
    const QByteArray data =
        QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    // The format the header showed, so no other decoder is tried on the bytes.
    QImageReader reader(&buffer, QByteArray::fromStdString(size.format));
    reader.setDecideFormatFromContent(false);
    // The decoder's own reading of the size, before it decodes, must be within the checked one.
    const QSize claimed = reader.size();
    if (!claimed.isValid() || static_cast<std::uint32_t>(claimed.width()) > size.width ||
        static_cast<std::uint32_t>(claimed.height()) > size.height) {
        return {};
    }
    return reader.read();
}

}  // namespace nbx::eview
