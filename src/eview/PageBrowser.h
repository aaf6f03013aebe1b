#pragma once
// The page view: a text browser whose every resource (pages, pictures, style sheets) comes
// from a provider, never from the disk or the network. An address that is not the book's
// (reader/BookAddress.h) never reaches the provider or the toolkit: it loads as nothing.
// Links are handed to the owner (anchorClicked) rather than followed here.

#include <QTextBrowser>
#include <QUrl>
#include <functional>

namespace nbx::eview {

class PageBrowser : public QTextBrowser {
    Q_OBJECT

public:
    // Answers a resource by its absolute address: a QByteArray, or an invalid QVariant when
    // there is none.
    using ResourceProvider = std::function<QVariant(int type, const QUrl& address)>;

    explicit PageBrowser(QWidget* parent = nullptr);

    void setResourceProvider(ResourceProvider provider) { provider_ = std::move(provider); }

    // The address a relative link of the page shown leads to.
    QUrl resolve(const QUrl& link) const;

    // Never a null answer, which would let the document read the address itself.
    QVariant loadResource(int type, const QUrl& name) override;

    // True for the book's own addresses: its entries and its generated pages.
    static bool mayLoad(const QUrl& address);

signals:
    // A right click: where, and the link under the mouse (empty when none).
    void contextMenuWanted(const QPoint& globalPos, const QString& anchor);

protected:
    void doSetSource(const QUrl& name, QTextDocument::ResourceType type) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    ResourceProvider provider_;
    QUrl base_;  // the page being shown, or being loaded
};

}  // namespace nbx::eview
