// What a soundfont line's file really is, from its first bytes: a RIFF file
// of form sfbk, its name from the INFO list, and whether a download was cut
// short. Only the start of the file is read, never the whole of it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

enum class SoundfontStatus {
  kOk,
  kNotFound,
  kUnreadable,
  kNotSoundfont,  // anything else: a web page saved as .sf2, a zip, a renamed SFZ
  kTruncated,     // the RIFF size says more bytes than the file holds
};

// The bytes to read from a file's start: the RIFF header and an INFO list
// of any size a real file carries.
constexpr size_t kSoundfontHeadLimit = 65536;

// Longest name taken from INAM.
constexpr size_t kSoundfontNameLimit = 256;

struct SoundfontHead {
  SoundfontStatus status = SoundfontStatus::kNotSoundfont;
  std::string name;  // INAM's bytes up to its first NUL, as they are; empty when none is found
};

// What a file of `fileSize` bytes is, given its first bytes `head` (at most
// kSoundfontHeadLimit of them are looked at). Never reads beyond `head`.
SoundfontHead ReadSoundfontHead(std::string_view head, uint64_t fileSize);

// A file's size as the page shows it: KB below one MB, else MB, with one
// decimal ("12.5 KB", "140.3 MB").
std::string SoundfontSizeText(uint64_t size);
