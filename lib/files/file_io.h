// Whole-file reading and all-or-nothing writing, used for every file the
// suite reads or writes. Portable: the Windows and POSIX builds each supply
// their own SafeWriteFile.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <set>
#include <string>

// Why a write failed.
enum class WriteFailure {
  kNone,
  kReadOnly,  // the file is read-only (on Linux: it has no write permission bit), so it is never written
  kDenied,    // the system refused a step for lack of rights
  kOther,
};

enum class ReadStatus {
  kOk,       // the whole file is in the string
  kMissing,  // the file does not exist: callers treat it as empty
  kFailed,   // it exists but could not be read (sharing, access, memory)
};

ReadStatus ReadWholeFile(const char *path, std::string *contents);

// At most `limit` bytes from the start of a file into `*start`, and the
// whole file's size, for files too large to read whole.
ReadStatus ReadFileStart(const char *path, size_t limit, std::string *start, uint64_t *size);

// Writes `size` bytes to a temporary file named after `path` (a stale one is
// removed first), flushes it to disk and then puts it in place in one step:
// an existing `path` is replaced so that it keeps what the system keeps of a
// replaced file (on Windows its access rights, creation time and hidden,
// system and archive attributes; elsewhere its permissions), and a file that
// another program holds open is tried again for about a second. Where that
// file cannot be created but `path` exists and opens for writing, `path` is
// rewritten in place instead, and its old bytes are put back if that fails.
// A read-only `path` is never written. On Linux a symbolic link stays: the
// file it leads to is written, in that file's folder. On any failure `path`
// is left as it was, no temporary file stays, and false is returned, with
// the reason in `failure` where it is given, as the step that failed learnt
// it from the system. Two saves of one file at once never mix their bytes;
// one of them may fail.
bool SafeWriteFile(const char *path, const char *data, size_t size, WriteFailure *failure = nullptr);

// Appended to a target's name to name its temporary file: one per target
// (one whose name would grow too long for Windows gets a short name beside it).
extern const char kTempFileSuffix[];
// Appended to a file's name to name the previous version kept beside it.
extern const char kPreviousVersionSuffix[];

// The files a run of a program has written, each by its path as given.
struct RunWrites {
  std::set<std::string, std::less<>> paths;
};

// The run of this process.
RunWrites *ThisRun();

// SafeWriteFile for a file that holds the user's settings. The run's first
// write of `path` that succeeds first keeps the file as it stood under the
// name `path` + kPreviousVersionSuffix, replacing an older one, in the step
// that puts the new file in place; later writes in the run leave that one
// alone, so it holds the file as it was before the run. A file that did not
// exist, or one rewritten in place, leaves no previous version, and a write
// whose previous version cannot be kept still goes on. A failed write leaves
// an older previous version as it was and makes none.
bool SafeWriteInRun(RunWrites *run, const char *path, const char *data, size_t size,
                    WriteFailure *failure = nullptr);
