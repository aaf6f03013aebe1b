#pragma once
// Bringing the file list up to date with the source folder. A rescan keeps everything the
// author set on files that are still there, drops files that are gone and adds new ones
// with what their files tell (a page's title makes it searchable and listed in the contents).

#include <cstddef>
#include <string>

#include "project/Project.h"

namespace nbx {

class Prompter;

// Completes a new entry from its file: every text but the path emptied, every flag 0; for an
// HTML file whose title can be read, the title, and searchable and inContents set.
void FillFromDisk(SourceFile& entry);

// Replaces project.files by one entry for each regular file directly in folder (special files
// are skipped), in the order the system lists them. With includeSubFolders the whole tree is
// walked: names beginning with a full stop are skipped at every level and links to folders
// are not followed, so no walk can loop. Without it, sub-folders are not entered and leftOut
// (when given) receives the number of files below them that were left out. An entry whose
// name in the book (EntryNameOf) was in the list before takes every field of the old entry
// except its path; a new one is completed by FillFromDisk. False when the folder cannot be
// listed; the list is then empty. Does not sort and does not set the modified flag.
bool ReadFolderFiles(Project& project, const std::string& folder, Prompter& prompter,
                     std::size_t* leftOut = nullptr);

// The notice of a scan that left out the files of sub-folders.
std::string LeftOutMessage(std::size_t count);

// Nothing when sourceFolder is empty. Otherwise ReadFolderFiles of it and the modified flag
// set; with showEmptyMessage, files left out in sub-folders are counted in LeftOutMessage. An empty
// result shows the empty-folder message when showEmptyMessage is set. Entries that are the output
// e-book or the Rebrander program are excluded, each with its message (shown whatever
// showEmptyMessage says; an entry already excluded is left alone).
void RescanSourceFolder(Project& project, bool showEmptyMessage, Prompter& prompter);

// Scan Folder once the folder is chosen: sets sourceFolder and rescans with messages.
void ScanChosenFolder(Project& project, std::string folder, Prompter& prompter);

}  // namespace nbx
