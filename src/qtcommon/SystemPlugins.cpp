#include "qtcommon/SystemPlugins.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "platform/ExecutablePath.h"
#include "qtcommon/QtText.h"

namespace nbx {

void UseSystemPluginsOnly() {
    const QString programFolder =
        QDir(QFileInfo(Q(platform::ExecutablePath())).absolutePath()).canonicalPath();
    // The toolkit adds the program's folder to its plugin folders once the application
    // exists, then drops what the program dropped from the folders it had before. The list
    // of before lacks the program's folder, as nothing knows it yet; it gets it here through
    // QT_PLUGIN_PATH, so that dropping it counts. The user's own QT_PLUGIN_PATH folders stay.
    const bool userSet = qEnvironmentVariableIsSet("QT_PLUGIN_PATH");
    const QByteArray userPaths = qgetenv("QT_PLUGIN_PATH");
    QByteArray withProgram = QFile::encodeName(programFolder);
    if (!userPaths.isEmpty()) {
        withProgram += QDir::listSeparator().toLatin1() + userPaths;
    }
    qputenv("QT_PLUGIN_PATH", withProgram);
    QStringList paths = QCoreApplication::libraryPaths();
    if (userSet) {
        qputenv("QT_PLUGIN_PATH", userPaths);
    } else {
        qunsetenv("QT_PLUGIN_PATH");
    }
    paths.removeAll(programFolder);
    QCoreApplication::setLibraryPaths(paths);
}

}  // namespace nbx
