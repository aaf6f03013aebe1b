// eview: the e-book reader. An e-book is this program with a content archive joined to its
// end, so the reader opens its own file to find the book.

#include <QApplication>

#include "platform/ExecutablePath.h"
#include "viewer/ReaderStart.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStringList arguments = QApplication::arguments();
    if (!arguments.isEmpty()) {
        arguments.removeFirst();
    }
    return nbx::viewer::RunReader(nbx::platform::ExecutablePath(), arguments);
}
