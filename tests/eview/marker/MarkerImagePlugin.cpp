// A picture-format plugin that only tells that it was loaded (MarkerFile.h). Laid in an
// "imageformats" folder beside a book, it stands for a stranger's library that the reader
// must never load. It claims the picture formats a book's pages use, so a toolkit that
// looked beside the book would load it for the first picture.

#include <QImageIOPlugin>

#include "MarkerFile.h"

class MarkerImagePlugin : public QImageIOPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QImageIOHandlerFactoryInterface_iid FILE "marker.json")

public:
    Capabilities capabilities(QIODevice*, const QByteArray&) const override { return {}; }
    QImageIOHandler* create(QIODevice*, const QByteArray&) const override { return nullptr; }
};

#include "MarkerImagePlugin.moc"
