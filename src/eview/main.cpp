// eview: the e-book reader. An e-book is this program with a content archive joined to its
// end, so the reader opens its own file to find the book.

#include <QApplication>
#include <cstdio>
#include <string>

#include "eview/ReaderStart.h"
#include "platform/ExecutablePath.h"
#include "qtcommon/SystemPlugins.h"

int main(int argc, char** argv) {
    std::string refused;
    if (!nbx::UseSystemPluginsOnly(refused)) {
        std::fprintf(stderr, "%s\n", refused.c_str());
        return 1;
    }
    QApplication app(argc, argv);
    QStringList arguments = QApplication::arguments();
    if (!arguments.isEmpty()) {
        arguments.removeFirst();
    }
    return nbx::eview::RunReader(nbx::platform::ExecutablePath(), arguments);
}
