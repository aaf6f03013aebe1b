#include "qtcommon/ProgramPictures.h"

#include <QFile>

namespace nbx {

QIcon ProgramIcon(ProgramPicture picture) {
    static const char* const kNames[] = {"tamsel",   "nbxkwik",        "ebook-info",   "icon",
                                         "start-up", "user-interface", "system-pages", "add-ins"};
    const QString name = QString::fromLatin1(kNames[static_cast<int>(picture)]);
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString file = QStringLiteral(":/pictures/%1-%2.png").arg(name).arg(size);
        if (QFile::exists(file)) {
            icon.addFile(file, QSize(size, size));
        }
    }
    return icon;
}

}  // namespace nbx
