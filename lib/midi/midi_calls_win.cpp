// The system's MIDI calls. winmm and advapi32's registry functions are loaded
// from the system directory when a page or command first asks, so that
// nothing of this costs the programs' start-up; the registry is read with
// the view's flag, and the 64-bit system folder is reached from a 32-bit
// program with the file system redirection turned off for the one look-up.
#include <windows.h>

#include <mmsystem.h>

#include "lib/files/system_library_win.h"
#include "lib/midi/midi_calls.h"

namespace {

// The mapper message of the driver development kit's mmddk.h.
constexpr UINT kMapperPreferredGet = 0x2000 + 21;  // DRVM_MAPPER_PREFERRED_GET

const char kDrivers32[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Drivers32";

struct Winmm {
  decltype(&midiOutGetNumDevs) getNumDevs;
  decltype(&midiOutGetDevCapsA) getDevCaps;
  decltype(&midiOutMessage) message;
  decltype(&midiOutGetErrorTextA) getErrorText;
  decltype(&midiOutOpen) open;
  decltype(&midiOutShortMsg) shortMsg;
  decltype(&midiOutReset) reset;
  decltype(&midiOutClose) close;
};

// winmm's functions, all or none.
const Winmm *LoadWinmm() {
  static const Winmm winmm = [] {
    HMODULE dll = LoadSystemLibrary("winmm.dll", LoadLibraryExA);
    Winmm found;
    FindFunction(dll, "midiOutGetNumDevs", &found.getNumDevs);
    FindFunction(dll, "midiOutGetDevCapsA", &found.getDevCaps);
    FindFunction(dll, "midiOutMessage", &found.message);
    FindFunction(dll, "midiOutGetErrorTextA", &found.getErrorText);
    FindFunction(dll, "midiOutOpen", &found.open);
    FindFunction(dll, "midiOutShortMsg", &found.shortMsg);
    FindFunction(dll, "midiOutReset", &found.reset);
    FindFunction(dll, "midiOutClose", &found.close);
    bool whole = found.getNumDevs && found.getDevCaps && found.message && found.getErrorText && found.open &&
                 found.shortMsg && found.reset && found.close;
    return whole ? found : Winmm{};
  }();
  return winmm.getNumDevs ? &winmm : nullptr;
}

struct Registry {
  decltype(&RegOpenKeyExA) open;
  decltype(&RegQueryValueExA) query;
  decltype(&RegCloseKey) close;
};

// The registry's functions, all or none.
const Registry *LoadRegistry() {
  static const Registry registry = [] {
    HMODULE dll = LoadSystemLibrary("advapi32.dll", LoadLibraryExA);
    Registry found;
    FindFunction(dll, "RegOpenKeyExA", &found.open);
    FindFunction(dll, "RegQueryValueExA", &found.query);
    FindFunction(dll, "RegCloseKey", &found.close);
    return found.open && found.query && found.close ? found : Registry{};
  }();
  return registry.open ? &registry : nullptr;
}

HMIDIOUT Handle(MidiOut out) { return reinterpret_cast<HMIDIOUT>(out); }

unsigned DeviceCount() {
  const Winmm *winmm = LoadWinmm();
  return winmm ? winmm->getNumDevs() : 0;
}

MidiResult DeviceName(unsigned id, std::string *name) {
  const Winmm *winmm = LoadWinmm();
  MIDIOUTCAPSA caps = {};
  MidiResult result = winmm ? winmm->getDevCaps(id, &caps, sizeof caps) : MMSYSERR_NODRIVER;
  if (result == MMSYSERR_NOERROR) name->assign(caps.szPname, strnlen(caps.szPname, sizeof caps.szPname));
  return result;
}

MidiResult MapperDevice(unsigned *id) {
  const Winmm *winmm = LoadWinmm();
  DWORD device = kNoPreferredDevice, flags = 0;
  // The mapper is named by its device id cast to a handle, as the message requires.
  HMIDIOUT mapper = reinterpret_cast<HMIDIOUT>(static_cast<UINT_PTR>(MIDI_MAPPER));
  MidiResult result = winmm
                          ? winmm->message(mapper, kMapperPreferredGet, reinterpret_cast<DWORD_PTR>(&device),
                                           reinterpret_cast<DWORD_PTR>(&flags))
                          : MMSYSERR_NODRIVER;
  if (result == MMSYSERR_NOERROR) *id = device;
  return result;
}

std::string ErrorText(MidiResult result) {
  const Winmm *winmm = LoadWinmm();
  char text[MAXERRORLENGTH] = "";
  if (!winmm || winmm->getErrorText(result, text, sizeof text) != MMSYSERR_NOERROR)
    return "winmm error " + std::to_string(result);
  return text;
}

MidiResult Open(unsigned id, MidiOut *out) {
  const Winmm *winmm = LoadWinmm();
  HMIDIOUT handle = nullptr;
  MidiResult result = winmm ? winmm->open(&handle, id, 0, 0, CALLBACK_NULL) : MMSYSERR_NODRIVER;
  if (result == MMSYSERR_NOERROR) *out = reinterpret_cast<MidiOut>(handle);
  return result;
}

// The calls below come only after an Open that succeeded, so winmm is there.
MidiResult ShortMessage(MidiOut out, uint32_t message) { return LoadWinmm()->shortMsg(Handle(out), message); }
MidiResult Reset(MidiOut out) { return LoadWinmm()->reset(Handle(out)); }
MidiResult Close(MidiOut out) { return LoadWinmm()->close(Handle(out)); }

// A 32-bit program on a 64-bit Windows.
bool UnderWow64() {
  BOOL wow64 = FALSE;
  return sizeof(void *) == 4 && IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

bool Is64BitWindows() { return sizeof(void *) == 8 || UnderWow64(); }

bool HasView(RegistryView view) { return view == RegistryView::k32Bit || Is64BitWindows(); }

// On a 32-bit Windows the one view is opened without a view flag.
REGSAM ViewFlag(RegistryView view) {
  if (view == RegistryView::k64Bit) return KEY_WOW64_64KEY;
  return Is64BitWindows() ? KEY_WOW64_32KEY : 0;
}

bool ReadValue(RegistryView view, const char *name, RegistryValue *value) {
  const Registry *registry = LoadRegistry();
  HKEY key;
  if (!registry || registry->open(HKEY_LOCAL_MACHINE, kDrivers32, 0, KEY_QUERY_VALUE | ViewFlag(view),
                                  &key) != ERROR_SUCCESS)
    return false;
  DWORD type = 0, size = 0;
  bool found = registry->query(key, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
  std::string bytes(found ? size : 0, '\0');
  found = found && registry->query(key, name, nullptr, &type, reinterpret_cast<BYTE *>(&bytes[0]), &size) ==
                       ERROR_SUCCESS;
  registry->close(key);
  if (!found) return false;
  bytes.resize(size);
  if (type == REG_DWORD && size == sizeof(DWORD)) {
    *value = RegistryValue{true, "", *reinterpret_cast<const DWORD *>(bytes.data())};
    return true;
  }
  if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
  bytes.resize(strnlen(bytes.data(), bytes.size()));  // the terminator the value may or may not hold
  *value = RegistryValue{false, bytes, 0};
  return true;
}

std::string SystemFolder(RegistryView view) {
  char folder[MAX_PATH];
  UINT length = 0;
  if (view == RegistryView::k32Bit && Is64BitWindows()) {
    length = GetSystemWow64DirectoryA(folder, MAX_PATH);
  } else if (!UnderWow64()) {
    length = GetSystemDirectoryA(folder, MAX_PATH);  // this program's own width
  } else {
    // The 64-bit folder, which a 32-bit program's System32 is redirected from.
    length = GetSystemWindowsDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return "";
    return std::string(folder) + (folder[length - 1] == '\\' ? "" : "\\") + "System32";
  }
  return length > 0 && length < MAX_PATH ? folder : "";
}

bool FileExists(RegistryView view, const std::string &path) {
  PVOID redirection = nullptr;
  bool unredirected =
      view == RegistryView::k64Bit && UnderWow64() && Wow64DisableWow64FsRedirection(&redirection);
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (unredirected) Wow64RevertWow64FsRedirection(redirection);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

const MidiCalls kSystemMidiCalls = {DeviceCount, DeviceName,   MapperDevice, ErrorText,
                                    Open,        ShortMessage, Reset,        Close,
                                    HasView,     ReadValue,    SystemFolder, FileExists};
