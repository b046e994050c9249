// Reading the options from, and rewriting, orvane.cfg files of 0.1, 1 and
// 10 MB, beside reading and writing the same bytes plainly.
#include <stdlib.h>
#include <unistd.h>

#include <benchmark/benchmark.h>
#include <cstdio>
#include <string>

#include "lib/config/option_reader.h"
#include "lib/config/option_writer.h"
#include "lib/files/file_io.h"

namespace {

// About 50 bytes a line: directives, comments, and managed and foreign
// option lines, as a long hand-kept file has them.
std::string MakeCfg(size_t size) {
  static const char *const kLines[] = {
      "soundfont \"C:\\sf2\\piano_%05zu.sf2\" amp=100\r\n",
      "# bank %zu: strings and pads, tuned by ear\r\n",
      "#extension opt --volume=%zu\r\n",
      "#extension opt --reverb=f,%zu\r\n",
      "#extension opt -EFdelay=%zu\r\n",
      "dir \"C:\\sf2\\set%zu\"\r\n",
      "#extension opt --foreign-option=%zu\r\n",
      "opt -B %zuK\r\n",
  };
  std::string cfg;
  char line[128];
  for (size_t i = 0; cfg.size() < size; ++i) {
    int length = std::snprintf(line, sizeof line, kLines[i % 8], i % 200);
    cfg.append(line, static_cast<size_t>(length));
  }
  cfg.resize(size);
  return cfg;
}

class CfgFile {
 public:
  explicit CfgFile(size_t size) {
    char dir[] = "/tmp/velder_benchXXXXXX";
    dir_ = mkdtemp(dir) ? dir : "/tmp";
    path_ = dir_ + "/orvane.cfg";
    cfg_ = MakeCfg(size);
    SafeWriteFile(path_.c_str(), cfg_.data(), cfg_.size());
  }
  ~CfgFile() {
    unlink(path_.c_str());
    rmdir(dir_.c_str());
  }
  const char *path() const { return path_.c_str(); }
  const std::string &text() const { return cfg_; }

 private:
  std::string dir_, path_, cfg_;
};

std::string Read(const CfgFile &file) {
  std::string text;
  if (ReadWholeFile(file.path(), &text) != ReadStatus::kOk) std::abort();
  return text;
}

void Finish(benchmark::State &state, size_t size) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * size));
}

void PlainReadWrite(benchmark::State &state) {
  CfgFile file(static_cast<size_t>(state.range(0)));
  for (auto _ : state) {
    std::string text = Read(file);
    benchmark::DoNotOptimize(SafeWriteFile(file.path(), text.data(), text.size()));
  }
  Finish(state, file.text().size());
}

void PlainRead(benchmark::State &state) {
  CfgFile file(static_cast<size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(Read(file));
  Finish(state, file.text().size());
}

void LoadOptions(benchmark::State &state) {
  CfgFile file(static_cast<size_t>(state.range(0)));
  for (auto _ : state) {
    OptionValues values = DefaultOptionValues();
    ApplyOptionLines(&values, Read(file));
    benchmark::DoNotOptimize(values);
  }
  Finish(state, file.text().size());
}

void ApplyOptions(benchmark::State &state) {
  CfgFile file(static_cast<size_t>(state.range(0)));
  const OptionValues values = DefaultOptionValues();
  for (auto _ : state) {
    std::string text = RewriteOptionLines(Read(file), values);
    benchmark::DoNotOptimize(SafeWriteFile(file.path(), text.data(), text.size()));
  }
  Finish(state, file.text().size());
}

// The text logic alone, without the disk.
void ReadOptionText(benchmark::State &state) {
  std::string cfg = MakeCfg(static_cast<size_t>(state.range(0)));
  for (auto _ : state) {
    OptionValues values = DefaultOptionValues();
    ApplyOptionLines(&values, cfg);
    benchmark::DoNotOptimize(values);
  }
  Finish(state, cfg.size());
}

void RewriteOptionText(benchmark::State &state) {
  std::string cfg = MakeCfg(static_cast<size_t>(state.range(0)));
  const OptionValues values = DefaultOptionValues();
  for (auto _ : state) benchmark::DoNotOptimize(RewriteOptionLines(cfg, values));
  Finish(state, cfg.size());
}

void Sizes(benchmark::internal::Benchmark *bench) {
  bench->Arg(100 << 10)->Arg(1 << 20)->Arg(10 << 20)->Unit(benchmark::kMillisecond);
}

BENCHMARK(PlainRead)->Apply(Sizes);
BENCHMARK(PlainReadWrite)->Apply(Sizes);
BENCHMARK(LoadOptions)->Apply(Sizes);
BENCHMARK(ApplyOptions)->Apply(Sizes);
BENCHMARK(ReadOptionText)->Apply(Sizes);
BENCHMARK(RewriteOptionText)->Apply(Sizes);

}  // namespace

BENCHMARK_MAIN();
