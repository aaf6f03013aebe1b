// A picture-format plugin that only tells that it was loaded: the moment the toolkit loads
// it, a function of the library writes the file named by NBX_PLUGIN_MARKER. Laid in an
// "imageformats" folder beside a book, it stands for a stranger's library that the reader
// must never load. It claims the picture formats a book's pages use, so a toolkit that
// looked beside the book would load it for the first picture.

#include <QImageIOPlugin>
#include <cstdio>
#include <cstdlib>

namespace {

__attribute__((constructor)) void WriteMarker() {
    if (const char* path = std::getenv("NBX_PLUGIN_MARKER")) {
        if (FILE* file = std::fopen(path, "w")) {
            std::fputs("loaded\n", file);
            std::fclose(file);
        }
    }
}

}  // namespace

class MarkerImagePlugin : public QImageIOPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QImageIOHandlerFactoryInterface_iid FILE "marker.json")

public:
    Capabilities capabilities(QIODevice*, const QByteArray&) const override { return {}; }
    QImageIOHandler* create(QIODevice*, const QByteArray&) const override { return nullptr; }
};

#include "MarkerImagePlugin.moc"
