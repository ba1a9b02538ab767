#pragma once
#include <sys/types.h>

#include <string>
#include <string_view>

namespace kelp {

// Opens the file at `path` for reading, but only a regular file, and
// without ever waiting: a pipe, socket or device at the name would hold an
// ordinary open (or the first read) for good, or act on the device. Returns
// the descriptor (blocking reads, close on exec), or -1 with errno set:
// ENOENT when nothing is there, EINVAL for something that is not a regular
// file, or why the open failed.
int OpenRegularFile(const std::string& path);

// Moves `from` to `to` unless `to` exists; false with errno EEXIST when it
// does, or with the errno of the failure.
bool RenameNoReplace(const std::string& from, const std::string& to);

// Writes all of `bytes` to `fd` from `offset` on. False, with errno set,
// when a write fails.
bool WriteAllAt(int fd, std::string_view bytes, off_t offset);

// Makes a new, renamed or removed entry of `folder` durable: syncs the
// folder. A folder that cannot be opened is left alone.
void SyncFolder(const std::string& folder);

// The folder part of `path`: "/" for a name in the root, empty for a bare
// name.
std::string FolderOf(const std::string& path);

// `base` (an absolute folder, made when missing) with the folders of `rest`
// ("a/b") made below it, for this user only; empty when a part cannot be
// made or is not a folder.
std::string MakeFolderBelow(const char* base, const char* rest);

}  // namespace kelp
