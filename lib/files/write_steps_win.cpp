// The writer's steps on Windows. Share modes keep two saves of one file
// apart: the temporary file is held without sharing while it is written, so
// another save can neither delete, reuse nor move it, and a target rewritten
// in place lets others read it but neither write nor replace it.
//
// An existing target is replaced through ReplaceFileA, so that it keeps its
// access rights, creation time and short name; its hidden, system and
// archive attributes go onto the new file before it lands, since not every
// system's replacement carries them over.
#include <windows.h>

#include <new>

#include "lib/files/write_steps.h"

namespace {

HANDLE Handle(StepFile file) { return reinterpret_cast<HANDLE>(file); }

bool Opened(HANDLE handle, StepFile *file) {
  if (handle == INVALID_HANDLE_VALUE) return false;
  *file = reinterpret_cast<StepFile>(handle);
  return true;
}

bool Inspect(const char *path, TargetInfo *info) {
  *info = TargetInfo{};
  DWORD attributes = GetFileAttributesA(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
  }
  info->exists = true;
  info->readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
  info->kept = attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
  return true;
}

bool CreateTemp(const char *temp, StepFile *file) {
  DeleteFileA(temp);  // fails, as it should, while another save holds it
  return Opened(CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr),
                file);
}

bool OpenTarget(const char *path, StepFile *file) {
  return Opened(CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr),
                file);
}

bool ReadAll(StepFile file, std::string *bytes) {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(Handle(file), &size) ||
      static_cast<unsigned long long>(size.QuadPart) > bytes->max_size())
    return false;
  try {
    bytes->resize(static_cast<size_t>(size.QuadPart));
  } catch (const std::bad_alloc &) {
    return false;
  }
  for (size_t done = 0; done < bytes->size();) {
    size_t left = bytes->size() - done;
    DWORD chunk = left > 0x40000000 ? 0x40000000 : static_cast<DWORD>(left);
    DWORD got = 0;
    if (!ReadFile(Handle(file), &(*bytes)[done], chunk, &got, nullptr) || got == 0) return false;
    done += got;
  }
  return true;
}

bool WriteFromStart(StepFile file, const char *data, size_t size) {
  if (!SetFilePointerEx(Handle(file), LARGE_INTEGER{}, nullptr, FILE_BEGIN)) return false;
  while (size > 0) {
    DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!WriteFile(Handle(file), data, chunk, &written, nullptr) || written != chunk) return false;
    data += chunk;
    size -= chunk;
  }
  return true;
}

bool SetEnd(StepFile file) { return SetEndOfFile(Handle(file)); }
bool Flush(StepFile file) { return FlushFileBuffers(Handle(file)); }
bool Close(StepFile file) { return CloseHandle(Handle(file)); }

bool Keep(const char *temp, uint32_t kept) {
  DWORD attributes = GetFileAttributesA(temp);
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  DWORD wanted = (attributes & ~FILE_ATTRIBUTE_NORMAL) | kept;  // "normal" stands only alone
  return SetFileAttributesA(temp, wanted ? wanted : FILE_ATTRIBUTE_NORMAL);
}

MoveResult Result(BOOL done) {
  if (done) return MoveResult::kDone;
  switch (GetLastError()) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    // Both files keep their names: the old one could not be moved aside,
    // most often because another program holds it open.
    case ERROR_UNABLE_TO_REMOVE_REPLACED:
      return MoveResult::kBusy;
    // Among the rest, a replacement that stopped half-way
    // (ERROR_UNABLE_TO_MOVE_REPLACEMENT, ERROR_UNABLE_TO_MOVE_REPLACEMENT_2):
    // the writer looks up where the two files are.
    default:
      return MoveResult::kFailed;
  }
}

MoveResult Replace(const char *temp, const char *path, const char *backup) {
  return Result(ReplaceFileA(path, temp, backup, 0, nullptr, nullptr));
}

MoveResult Move(const char *from, const char *to) {
  return Result(MoveFileExA(from, to, MOVEFILE_WRITE_THROUGH));
}

MoveResult MoveOver(const char *from, const char *to) {
  return Result(MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
}

void Remove(const char *path) { DeleteFileA(path); }
void Pause(unsigned milliseconds) { Sleep(milliseconds); }

bool Denied() { return GetLastError() == ERROR_ACCESS_DENIED; }

}  // namespace

std::string WrittenPath(const char *path) { return path; }

const WriteSteps kSystemWriteSteps = {Inspect, CreateTemp, OpenTarget, ReadAll, WriteFromStart,
                                      SetEnd,  Flush,      Close,      Keep,    Replace,
                                      Move,    MoveOver,   Remove,     Pause,   Denied};
