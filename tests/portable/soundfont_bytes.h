// The bytes of a small SoundFont file, for the tests that need one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A RIFF chunk: its id, its body's size (little-endian) and its body,
// padded to an even length.
inline std::string RiffChunk(const std::string &id, const std::string &body) {
  std::string chunk = id;
  auto size = static_cast<uint32_t>(body.size());
  for (int i = 0; i < 4; ++i) chunk += static_cast<char>(size >> (8 * i) & 0xFF);
  chunk += body;
  if (body.size() & 1) chunk += '\0';
  return chunk;
}

// A RIFF sfbk file whose INFO list holds ifil and INAM `name`, followed by
// `samples` bytes of sample data.
inline std::string SoundfontBytes(const std::string &name, size_t samples = 0) {
  std::string info = "INFO" + RiffChunk("ifil", std::string("\2\0\1\0", 4)) + RiffChunk("INAM", name + '\0');
  return RiffChunk("RIFF", "sfbk" + RiffChunk("LIST", info) + RiffChunk("sdta", std::string(samples, 's')));
}
