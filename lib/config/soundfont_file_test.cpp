#include "lib/config/soundfont_file.h"

#include <gtest/gtest.h>
#include <string>

#include "tests/portable/soundfont_bytes.h"

namespace {

struct Case {
  const char *what;
  std::string bytes;
  uint64_t size;  // 0: the bytes' own
  SoundfontStatus status;
  std::string name;
};

TEST(SoundfontHead, TellsASoundfontFromWhatIsNotOneOrIsCutShort) {
  const std::string good = SoundfontBytes("Grand Piano", 100);
  std::string odd = good;
  odd[good.find("INAM") + 8] = 'Q';  // a name of odd length, padded
  std::string late =
      RiffChunk("RIFF", "sfbk" + RiffChunk("LIST", "INFO" + RiffChunk("ICMT", std::string(301, 'c')) +
                                                       RiffChunk("INAM", "Late\0tail")));
  std::string overlong = good;
  overlong.replace(overlong.find("INAM") + 4, 4, std::string("\xFF\xFF\xFF\x7F", 4));
  const Case cases[] = {
      {"a SoundFont", good, 0, SoundfontStatus::kOk, "Grand Piano"},
      {"the name after another chunk, up to its NUL", late, 0, SoundfontStatus::kOk, "Late"},
      {"a name's size beyond the bytes", overlong, 0, SoundfontStatus::kOk, "Grand Piano"},
      {"a download cut short", good.substr(0, 60), good.size() - 1, SoundfontStatus::kTruncated,
       "Grand Piano"},
      {"only the start of a header", "RIFF\x10\0\0\0sf", 0, SoundfontStatus::kTruncated, ""},
      {"a web page saved as .sf2", "<!DOCTYPE html><html>", 0, SoundfontStatus::kNotSoundfont, ""},
      {"a zip", std::string("PK\3\4\x14\0\0\0", 8), 0, SoundfontStatus::kNotSoundfont, ""},
      {"a wave file", RiffChunk("RIFF", "WAVEfmt "), 0, SoundfontStatus::kNotSoundfont, ""},
      {"an empty file", "", 0, SoundfontStatus::kNotSoundfont, ""},
      {"no INFO list first", RiffChunk("RIFF", "sfbk" + RiffChunk("sdta", "xx")), 0, SoundfontStatus::kOk,
       ""},
  };
  for (const Case &c : cases) {
    SoundfontHead head = ReadSoundfontHead(c.bytes, c.size ? c.size : c.bytes.size());
    EXPECT_EQ(head.status, c.status) << c.what;
    EXPECT_EQ(head.name, c.name) << c.what;
  }
  // A name of 300 bytes without a NUL: its first 256.
  std::string longName = SoundfontBytes(std::string(300, 'n'));
  EXPECT_EQ(ReadSoundfontHead(longName, longName.size()).name, std::string(256, 'n'));
  EXPECT_EQ(ReadSoundfontHead(odd, odd.size()).name, "Qrand Piano");
}

TEST(SoundfontHead, SizesInKilobytesBelowAMegabyteElseMegabytes) {
  EXPECT_EQ(SoundfontSizeText(0), "0.0 KB");
  EXPECT_EQ(SoundfontSizeText(12800), "12.5 KB");
  EXPECT_EQ(SoundfontSizeText(1048575), "1.0 MB");
  EXPECT_EQ(SoundfontSizeText(147112755), "140.3 MB");
  EXPECT_EQ(SoundfontSizeText(uint64_t{5} << 30), "5120.0 MB");
}

}  // namespace
