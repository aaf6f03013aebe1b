#include "eview/PageBrowser.h"

#include <QContextMenuEvent>

namespace nbx::eview {

PageBrowser::PageBrowser(QWidget* parent) : QTextBrowser(parent) {
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setFrameShape(QFrame::NoFrame);
}

QUrl PageBrowser::resolve(const QUrl& link) const {
    return link.isRelative() ? base_.resolved(link) : link;
}

QVariant PageBrowser::loadResource(int type, const QUrl& name) {
    if (!provider_) {
        return {};
    }
    return provider_(type, resolve(name));
}

void PageBrowser::doSetSource(const QUrl& name, QTextDocument::ResourceType type) {
    // Pictures of the new page are loaded while it is set, relative to it.
    base_ = resolve(name);
    QTextBrowser::doSetSource(base_, type);
}

void PageBrowser::contextMenuEvent(QContextMenuEvent* event) {
    emit contextMenuWanted(event->globalPos(), anchorAt(event->pos()));
    event->accept();
}

}  // namespace nbx::eview
