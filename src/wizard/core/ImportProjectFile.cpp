#include "wizard/core/ImportProjectFile.h"

#include "platform/AtomicFileWriter.h"
#include "project/ByteWriter.h"
#include "project/ProjectFileFormat.h"

namespace nbx::wizard {

std::string EncodeImportProject(const ImportProject& p) {
    projectfile::ByteWriter w;
    w.WriteString(projectfile::kImportVersion);
    w.WriteEmptyStrings(1);  // reserved
    for (const std::string* s :
         {&p.book.title, &p.book.publisher, &p.book.copyright, &p.book.author, &p.book.authorEmail,
          &p.book.authorUrl, &p.sourceFolder, &p.outputEBook}) {
        w.WriteString(*s);
    }
    for (const std::int32_t n : {p.menu, p.popupMenu, p.statusBar, p.toolbar, p.toolbarPosition}) {
        w.WriteI32(n);
    }
    w.WriteString(p.splashBitmap);
    // As in the compiler's own layout: the one optional trailing word, only when on.
    if (p.includeSubFolders) {
        w.WriteI32(1);
    }
    return w.TakeBytes();
}

bool WriteImportProject(const std::string& path, const ImportProject& project) {
    int error = 0;
    return platform::WriteFileAtomically(path, EncodeImportProject(project), error);
}

}  // namespace nbx::wizard
