#pragma once
// Copies between open files by the system where it can: copy_file_range keeps the bytes in
// the kernel, and on file systems that share blocks (btrfs, XFS, bcachefs, NFS 4.2 servers)
// it shares them instead of writing them again. Files the system cannot copy between go
// through a buffer.

#include <cstddef>
#include <cstdint>

namespace nbx::platform {

// Appends length bytes of the file open as `from`, starting at offset, to the file open as
// `to` at its current position. False with errorCode set: EIO when `from` ends first, else
// the errno of the failed read or write.
bool CopyFileRange(int from, std::uint64_t offset, int to, std::uint64_t length, int& errorCode);

// Writes all of data to the file open as fd at its position, going on after short writes.
// False with errorCode set (ENOSPC when the system takes nothing).
bool WriteFully(int fd, const char* data, std::size_t size, int& errorCode);

// Makes the file open as `to` (for writing) a copy of all of `from` that shares its blocks
// (FICLONE). False, with nothing changed, on file systems that cannot.
bool CloneFile(int from, int to);

}  // namespace nbx::platform
