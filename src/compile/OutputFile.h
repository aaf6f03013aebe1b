#pragma once
// Claiming an output program for a build. A running program cannot be written (the system
// answers ETXTBSY), which is the one failure worth waiting for: the author may just be
// closing it.
//
// The claim never empties an existing file: a build that stops later keeps the previous
// e-book. The new program is written through an AtomicFileWriter, which replaces it only
// when it is complete.

#include <string>

#include "compile/ErrorReport.h"

namespace nbx {

struct OutputClaim {
    bool ok = false;
    bool cancelled = false;  // the series window's Cancel, or a stop, came while waiting
    bool sharingViolation = false;
    int error = 0;            // errno of the failure
    bool createdNew = false;  // the file did not exist and was created by the claim
};

// Opens path for writing (creating it when missing, as a program the umask allows to run;
// never truncating) to prove it can be written. While the program is running, waits ten times 100
// ms (pumping ui.series when there is one) and tries again, at most `retries` times.
OutputClaim ClaimOutputFile(const std::string& path, int retries, BuildUi& ui);

// For the message of an output that cannot be written: when the folder it goes in does not
// exist, a paragraph that names the folder (window and console alike); else empty.
std::string MissingOutputFolderNote(const std::string& path);

// Undoes a claim that created the file, after a build that did not finish.
void ReleaseOutputClaim(const std::string& path, const OutputClaim& claim);

}  // namespace nbx
