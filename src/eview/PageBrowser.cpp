#include "eview/PageBrowser.h"

#include <QContextMenuEvent>

#include "qtcommon/QtText.h"
#include "reader/BookAddress.h"

namespace nbx::eview {

PageBrowser::PageBrowser(QWidget* parent) : QTextBrowser(parent) {
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setFrameShape(QFrame::NoFrame);
}

QUrl PageBrowser::resolve(const QUrl& link) const {
    return link.isRelative() ? base_.resolved(link) : link;
}

bool PageBrowser::mayLoad(const QUrl& address) {
    return reader::MayLoad(reader::ClassifyAddress(U(address.toString(QUrl::FullyEncoded))));
}

QVariant PageBrowser::loadResource(int type, const QUrl& name) {
    const QUrl address = resolve(name);
    QVariant answer;
    if (provider_ && mayLoad(address)) {
        answer = provider_(type, address);
    }
    // The document reads a file or inline data itself when the answer is null: it never is.
    return answer.isNull() ? QVariant(QByteArray("")) : answer;
}

void PageBrowser::doSetSource(const QUrl& name, QTextDocument::ResourceType type) {
    const QUrl address = resolve(name);
    if (!mayLoad(address)) {
        return;
    }
    // Pictures of the new page are loaded while it is set, relative to it.
    base_ = address;
    QTextBrowser::doSetSource(base_, type);
}

void PageBrowser::contextMenuEvent(QContextMenuEvent* event) {
    emit contextMenuWanted(event->globalPos(), anchorAt(event->pos()));
    event->accept();
}

}  // namespace nbx::eview
