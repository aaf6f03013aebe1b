#include "qtcommon/FileDialogFilter.h"

#include <QStringList>

#include "qtcommon/QtText.h"

namespace nbx {

QString QtFileFilter(std::string_view pairs) {
    const QStringList parts = ToQString(pairs).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty()) {
            break;
        }
        QString name = parts[i];
        // "*.*" means every file; on this system many files have no dot at all.
        filters << name.replace(QLatin1String("(*.*)"), QLatin1String("(*)"));
    }
    return filters.join(QLatin1String(";;"));
}

}  // namespace nbx
