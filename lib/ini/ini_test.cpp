#include "lib/ini/ini.h"

#include <cfloat>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <type_traits>
#include <utility>

#include "tests/portable/temp_folder.h"

namespace {

class Ini : public testing::Test {
 protected:
  void Parse(const std::string &text) { ASSERT_TRUE(IniParse(ini_, text.data(), text.size())); }
  std::string Render() const {
    std::string text;
    EXPECT_TRUE(IniRender(ini_, &text));
    return text;
  }
  std::string Value(const char *section, const char *key) const {
    IniValueArea value;
    IniGetString(IniFindSection(ini_, section), key, value);
    return value;
  }

  IniFile ini_;
};

TEST(IniNameHash, SumsBytesAndLeadByteWords) {
  EXPECT_EQ(IniNameHash(""), 0);
  EXPECT_EQ(IniNameHash("abc"), 294);
  EXPECT_EQ(IniNameHash("\x82\xA0"), 41250);
  EXPECT_EQ(IniNameHash("\x82"), 0x82);  // the terminator stands in for the second byte
  EXPECT_EQ(IniNameHash("\xFE\xFE"), 0xFEFE + 0xFE);
}

struct RoundTrip {
  const char *name;
  std::string file;
  std::string written;
};

// What a file reads as, shown by how the document writes it back.
const RoundTrip kRoundTrips[] = {
    {"empty file", "", ""},
    {"section without entries", "[e]\n", "[e]\r\n\r\n"},
    {"empty section name", "[]\nk=v\n", "[]\r\nk=v\r\n\r\n"},
    {"CR LF and blank lines", "\r\n[s]\r\n\r\nk=v\r\n\r\n\r\n[t]\r\n", "[s]\r\nk=v\r\n\r\n[t]\r\n\r\n"},
    {"comment keeps the place of the key", "[s]\nRes=3\nA=1\n; Res\n", "[s]\r\n; Res\r\nA=1\r\n\r\n"},
    {"later key line gives the value back in the first place", "[s]\nRes=3\nA=1\n; Res\nRes=5\n",
     "[s]\r\nRes=5\r\nA=1\r\n\r\n"},
    {"equals signs", "[s]\nk=a=b\nj==b\n=v\nm=\nn\n", "[s]\r\nk=a\r\nj=b\r\n; v\r\n; m\r\n; n\r\n\r\n"},
    {"comment is its first word", "[s]\n; note text\n;;  x;y\n;  ;\n", "[s]\r\n; note\r\n; x\r\n\r\n"},
    {"blanks around the equals sign are kept", "[s]\nVibratoDelay = 300\n",
     "[s]\r\nVibratoDelay = 300\r\n\r\n"},
    {"indentation is skipped", "  \t[s]\n\t k=v\n", "[s]\r\nk=v\r\n\r\n"},
    {"repeated headers and keys join", "[param]\na=1\n[x]\ny=2\n[param]\nb=2\na=3\n",
     "[param]\r\na=3\r\nb=2\r\n\r\n[x]\r\ny=2\r\n\r\n"},
    {"text after the header is ignored", "[main] trailing text\n  [main]\nk=1\n", "[main]\r\nk=1\r\n\r\n"},
    {"case and blanks make names differ", "[s]\nk=1\nK=2\n[s ]\n", "[s]\r\nk=1\r\nK=2\r\n\r\n[s ]\r\n\r\n"},
    {"second byte ] stays in the name", "[ゾ]\nソ=表\n", "[ゾ]\r\nソ=表\r\n\r\n"},
    {"lines before the first header have no section", "k=v\n; c\n[s]\n", "[s]\r\n\r\n"},
    {"text after a NUL byte is not read", std::string("[s]\nk=v\0w\nj=1\n", 15), "[s]\r\nk=v\r\nj=1\r\n\r\n"},
    // Read as they are written back, so that one save gives the file's final form.
    {"unclosed header ends before the line feed", "[open\nk=v\n", "[open]\r\nk=v\r\n\r\n"},
    {"key line without value reads as its comment", "[s]\na b\n= x\n", "[s]\r\n; a\r\n; x\r\n\r\n"},
    {"key hidden behind = that would read back otherwise", "[s]\n= x=1\n=;y=2\n=[z=3\n", "[s]\r\n\r\n"},
    {"broken lead byte does not hide a delimiter", "[s]\n\x83=v\n; \x84 x\n",
     "[s]\r\n\x83=v\r\n; \x84\r\n\r\n"},
    {"unclosed header drops a broken lead byte at its end", "[a\x83\n", "[a]\r\n\r\n"},
};

TEST_F(Ini, ParsesAndWritesAsTheFileSyntaxSays) {
  for (const RoundTrip &trip : kRoundTrips) {
    IniFile ini;
    ASSERT_TRUE(IniParse(ini, trip.file.data(), trip.file.size())) << trip.name;
    std::string written;
    EXPECT_TRUE(IniRender(ini, &written));
    EXPECT_EQ(written, trip.written) << trip.name;
    IniFree(ini);
    EXPECT_EQ(ini.first, nullptr);
  }
}

TEST_F(Ini, RecordsKeepTheLineTheyWereReadFrom) {
  const std::string pad(2100, 'x');  // read in two parts, both of line 4
  Parse("; before\r\n[s]\r\n\r\nlong=" + pad + "\r\n  k = 1\n[t]\na=1\rb=2\n[s]\nk =2\n; j\nj=3\n; j\n");
  IniSection *s = IniFindSection(ini_, "s");
  EXPECT_EQ(s->line, 2);  // its first header
  EXPECT_EQ(IniFindSection(ini_, "t")->line, 6);
  // A lone CR ends a line, as the editor shows it.
  EXPECT_EQ(IniFindEntry(IniFindSection(ini_, "t"), "a")->line, 7);
  EXPECT_EQ(IniFindEntry(IniFindSection(ini_, "t"), "b")->line, 8);
  EXPECT_EQ(IniFindEntry(s, "long")->line, 4);
  EXPECT_EQ(IniFindEntry(s, std::string(106, 'x').c_str())->line, 4);  // the rest, as a comment
  EXPECT_EQ(IniFindEntry(s, "k ")->line, 10);                          // the latest line gives the line
  EXPECT_EQ(IniFindEntry(s, "j")->line, 13);                           // a comment line too
  EXPECT_EQ(IniFindEntry(s, "none"), nullptr);
  EXPECT_EQ(IniFindEntry(nullptr, "k "), nullptr);

  // A setter keeps the line of an entry it changes; what it adds was read from no line.
  IniSection *added = IniAddSection(ini_, "added");
  ASSERT_TRUE(IniSetInt(s, "k ", 5));
  ASSERT_TRUE(IniSetInt(s, "new", 5));
  EXPECT_EQ(IniFindEntry(s, "k ")->line, 10);
  EXPECT_EQ(IniFindEntry(s, "new")->line, 0);
  EXPECT_EQ(added->line, 0);

  // Another text merged in counts its own lines, and a known section keeps its first header.
  Parse("\n[s]\nk =3\n");
  EXPECT_EQ(IniFindEntry(s, "k ")->line, 3);
  EXPECT_EQ(s->line, 2);
}

TEST_F(Ini, DocumentsOwnTheirRecordsAndMoveThem) {
  static_assert(!std::is_copy_constructible_v<IniFile> && !std::is_copy_assignable_v<IniFile>);
  Parse("[s]\nk=v\n");
  IniFile moved(std::move(ini_));
  EXPECT_EQ(ini_.first, nullptr);
  EXPECT_EQ(Value("s", "k"), "");
  IniFile other;
  ASSERT_NE(IniAddSection(other, "old"), nullptr);
  other = std::move(moved);  // what it held goes
  EXPECT_EQ(moved.first, nullptr);
  std::string text;
  EXPECT_TRUE(IniRender(other, &text));
  EXPECT_EQ(text, "[s]\r\nk=v\r\n\r\n");
  IniFile &self = other;
  other = std::move(self);
  EXPECT_TRUE(IniRender(other, &text));
  EXPECT_EQ(text, "[s]\r\nk=v\r\n\r\n");
}

TEST_F(Ini, KeysMatchByteForByte) {
  Parse("[s]\nVibratoDelay = 300\n[ゾ]\nk=1\n");
  EXPECT_EQ(Value("s", "VibratoDelay"), "");
  EXPECT_EQ(Value("s", "VibratoDelay "), " 300");
  EXPECT_EQ(Value("ゾ", "k"), "1");
  EXPECT_EQ(IniFindSection(ini_, "S"), nullptr);
}

TEST_F(Ini, LongLinesAreReadIn1999ByteParts) {
  Parse("[s]\nk=" + std::string(2498, 'v') + "\n");   // a line of 2500 bytes
  EXPECT_EQ(Value("s", "k"), std::string(256, 'v'));  // the getters see 256 bytes of 1997
  EXPECT_EQ(Render(), "[s]\r\nk=" + std::string(1997, 'v') + "\r\n; " + std::string(501, 'v') + "\r\n\r\n");
}

TEST_F(Ini, NamesAreKeptOnlyAsLongAsTheyCanBeWrittenBackInOneLine) {
  // ";" + 1998 bytes fills a line; written back after "; " it would not.
  Parse("[s]\n;" + std::string(1998, 'c') + "\n[" + std::string(1998, 'n') + "\n");
  EXPECT_EQ(Render(),
            "[s]\r\n; " + std::string(1997, 'c') + "\r\n\r\n[" + std::string(1997, 'n') + "]\r\n\r\n");
  // Never inside a double-byte character.
  IniFree(ini_);
  std::string pairs;
  for (int i = 0; i < 998; ++i) pairs += "\x83\x40";
  Parse("[s]\nab" + pairs + "\n");  // 1998 bytes: the last character would end past byte 1997
  EXPECT_EQ(Render(), "[s]\r\n; ab" + pairs.substr(0, 1994) + "\r\n\r\n");
}

TEST_F(Ini, MergesIntoWhatTheDocumentHolds) {
  Parse("[s]\na=1\n");
  Parse("[t]\n[s]\nb=2\n");
  EXPECT_EQ(Render(), "[s]\r\na=1\r\nb=2\r\n\r\n[t]\r\n\r\n");
}

struct Conversion {
  const char *value;
  int32_t asInt;
  int8_t asChar;
  int32_t asBool;
  double asDouble;
};

// The fallbacks are 7, 7, 7 and 7.5: a text that does not begin with a number
// reads as 0, not as the fallback.
const Conversion kConversions[] = {
    {"-2400", -2400, -0x60, 1, -2400},
    {"200", 200, -56, 1, 200},
    {"-1", -1, -1, 1, -1},
    {"12abc", 12, 12, 1, 12},
    {"abc", 0, 0, 0, 0},
    {"x", 0, 0, 0, 0},
    {"2", 2, 2, 1, 2},
    {" \t+5", 5, 5, 1, 5},
    {"0.25", 0, 0, 0, 0.25},
    {"4294967295", -1, -1, 1, 4294967295.0},
    {"4294967296", -1, -1, 1, 4294967296.0},  // past 32 bits: the largest magnitude
    {"-4294967295", 1, 1, 1, -4294967295.0},
    {"-99999999999", -1, -1, 1, -99999999999.0},
};

TEST_F(Ini, TypedGettersConvertTheTextAsTheCRuntimeDoes) {
  for (const Conversion &c : kConversions) {
    IniFile ini;
    IniSection *s = IniAddSection(ini, "s");
    ASSERT_TRUE(IniSetString(s, "k", c.value));
    EXPECT_EQ(IniGetInt(s, "k", 7), c.asInt) << c.value;
    EXPECT_EQ(IniGetChar(s, "k", 7), c.asChar) << c.value;
    EXPECT_EQ(IniGetBool(s, "k", 7), c.asBool) << c.value;
    EXPECT_EQ(IniGetDouble(s, "k", 7.5), c.asDouble) << c.value;
    EXPECT_EQ(IniGetFloat(s, "k", 7.5f), c.asDouble) << c.value;
  }
}

TEST_F(Ini, AbsentValuesGiveTheFallback) {
  Parse("[s]\nempty=\n; comment\n[bare]\n");
  IniSection *s = IniFindSection(ini_, "s");
  for (const IniSection *section : {s, IniFindSection(ini_, "bare"), IniFindSection(ini_, "none")}) {
    EXPECT_EQ(IniGetVersion(section), 100);
    for (const char *key : {"empty", "comment", "missing"}) {
      EXPECT_EQ(IniGetInt(section, key, -7), -7) << key;
      EXPECT_EQ(IniGetChar(section, key, -56), -56) << key;
      EXPECT_EQ(IniGetBool(section, key, 5), 5) << key;  // unchanged, not made 0 or 1
      EXPECT_EQ(IniGetFloat(section, key, 0.01f), static_cast<double>(0.01f)) << key;
      EXPECT_EQ(IniGetDouble(section, key, 0.5), 0.5) << key;
      IniValueArea text;
      std::memset(text, 'x', sizeof text);
      IniGetString(section, key, text);
      EXPECT_EQ(std::string(text, sizeof text), std::string(sizeof text, '\0'));
    }
  }
}

TEST_F(Ini, GetStringGivesAtMost256BytesAndNeverHalfACharacter) {
  IniSection *s = IniAddSection(ini_, "s");
  const std::string value = std::string(255, 'a') + "表" + "b";  // 表 would take bytes 255 and 256
  IniSetString(s, "dbcs", value.c_str());
  IniSetString(s, "long", std::string(300, 'z').c_str());
  IniValueArea text;
  IniGetString(s, "dbcs", text);
  EXPECT_EQ(std::string(text, sizeof text), std::string(255, 'a') + std::string(2, '\0'));
  IniGetString(s, "long", text);
  EXPECT_EQ(std::string(text, sizeof text), std::string(256, 'z') + '\0');
}

TEST_F(Ini, SettersFormatAndReplaceInPlace) {
  IniSection *s = IniAddSection(ini_, "s");
  ASSERT_NE(s, nullptr);
  EXPECT_TRUE(IniSetString(s, "text", "old"));
  EXPECT_TRUE(IniSetInt(s, "int", -2400));
  EXPECT_TRUE(IniSetChar(s, "char", -56));
  EXPECT_TRUE(IniSetFloat(s, "delay", 0.25f));
  EXPECT_TRUE(IniSetDouble(s, "double", 0.001));
  EXPECT_TRUE(IniSetVersion(s));
  EXPECT_TRUE(IniSetString(s, "text", "new"));
  EXPECT_TRUE(IniSetString(s, "none", "v"));
  EXPECT_TRUE(IniSetString(s, "none", nullptr));
  EXPECT_FALSE(IniSetString(nullptr, "k", "v"));
  EXPECT_EQ(Render(),
            "[s]\r\ntext=new\r\nint=-2400\r\nchar=-56\r\ndelay=0.250000\r\ndouble=0.001000\r\nver=101\r\n"
            "; none\r\n\r\n");
}

TEST_F(Ini, SetDoubleWritesEveryDigitOfAHugeValue) {
  IniSetDouble(IniAddSection(ini_, "s"), "max", -DBL_MAX);
  std::string written = Render();
  size_t start = written.find("max=") + 4;
  std::string value = written.substr(start, written.find('\r', start) - start);
  EXPECT_EQ(value.size(), 1 + 309 + 7u);
  EXPECT_EQ(std::strtod(value.c_str(), nullptr), -DBL_MAX);
}

TEST_F(Ini, SectionsAreFoundOrAppendedInOrder) {
  EXPECT_EQ(IniFindSection(ini_, "a"), nullptr);
  IniSection *a = IniAddSection(ini_, "a");
  EXPECT_EQ(ini_.first, a);
  IniSection *b = IniAddSection(ini_, "b");
  EXPECT_EQ(IniAddSection(ini_, "a"), a);
  EXPECT_EQ(IniFindSection(ini_, "b"), b);
  EXPECT_EQ(a->next, b);
  EXPECT_EQ(Render(), "[a]\r\n\r\n[b]\r\n\r\n");
}

TEST_F(Ini, RemoveKeyUnlinksOneEntry) {
  EXPECT_FALSE(IniRemoveKey(ini_, "param", "a"));
  Parse("[param]\na=1\nb=2\nc=3\n[empty]\n");
  EXPECT_FALSE(IniRemoveKey(ini_, "param", "x"));
  EXPECT_FALSE(IniRemoveKey(ini_, "none", "a"));
  EXPECT_FALSE(IniRemoveKey(ini_, "empty", "a"));
  EXPECT_TRUE(IniRemoveKey(ini_, "param", "a"));
  EXPECT_EQ(std::string(IniFindSection(ini_, "param")->entries->key), "b");
  EXPECT_TRUE(IniRemoveKey(ini_, "param", "c"));
  EXPECT_FALSE(IniRemoveKey(ini_, "param", "c"));
  EXPECT_EQ(Render(), "[param]\r\nb=2\r\n\r\n[empty]\r\n\r\n");
}

class IniFiles : public Ini {
 protected:
  TempFolder folder_;
};

TEST_F(IniFiles, LoadTellsAMissingFileFromAnUnreadableOne) {
  EXPECT_EQ(IniLoad(ini_, folder_.PathOf("none.ini").c_str()), ReadStatus::kMissing);
  EXPECT_EQ(IniLoad(ini_, folder_.path().string().c_str()),
            ReadStatus::kFailed);  // a folder cannot be read as a file
  EXPECT_EQ(ini_.first, nullptr);
  folder_.Put("f.ini", "[s]\r\nk=v\r\n");
  EXPECT_EQ(IniLoad(ini_, folder_.PathOf("f.ini").c_str()), ReadStatus::kOk);
  EXPECT_EQ(Value("s", "k"), "v");
}

TEST_F(IniFiles, SaveWritesTheDocumentWhole) {
  EXPECT_TRUE(IniSave(ini_, folder_.PathOf("empty.ini").c_str()));
  EXPECT_EQ(folder_.Get("empty.ini"), "");
  Parse("[s]\nk=v\n");
  EXPECT_TRUE(IniSave(ini_, folder_.PathOf("f.ini").c_str()));
  EXPECT_EQ(folder_.Get("f.ini"), "[s]\r\nk=v\r\n\r\n");
  EXPECT_FALSE(IniSave(ini_, folder_.PathOf("no/such/folder.ini").c_str()));
}

}  // namespace
