// A widget-style plugin that only tells that it was loaded (MarkerFile.h), under the style
// name "nbxmarker". Laid in a "styles" folder beside a Rebrander, it stands for a stranger's
// library; the user's own QT_STYLE_OVERRIDE=nbxmarker asks for it by name.

#include <QStylePlugin>

#include "MarkerFile.h"

class MarkerStylePlugin : public QStylePlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QStyleFactoryInterface_iid FILE "markerstyle.json")

public:
    QStyle* create(const QString&) override { return nullptr; }
};

#include "MarkerStylePlugin.moc"
