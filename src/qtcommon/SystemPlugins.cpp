#include "qtcommon/SystemPlugins.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "platform/ExecutablePath.h"
#include "qtcommon/QtText.h"

namespace nbx {

bool UseSystemPluginsOnly(std::string& message) {
    const QString programFolder =
        QDir(QFileInfo(Q(platform::ExecutablePath())).absolutePath()).canonicalPath();
    // Once the application exists the toolkit reads its settings from a file beside the
    // program, and nothing here can tell it otherwise.
    for (const char* name : {"qt.conf", "qt6.conf"}) {
        const QString settings = QDir(programFolder).filePath(name);
        if (QFileInfo::exists(settings)) {
            message = "This program can't start: its folder holds " + U(settings) +
                      ", a file that would make it load program code from other folders.\n\n"
                      "Move the program into a folder of its own and start it there.";
            return false;
        }
    }
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
    return true;
}

}  // namespace nbx
