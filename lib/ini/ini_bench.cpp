// Reading, querying and writing documents: the full driver parameter file,
// and one section of n keys, where every lookup walks the list.
#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "lib/ini/ini.h"

namespace {

using Keys = std::vector<std::pair<std::string, std::string>>;  // section, key

// Every section and key of velder_soundfont.ini, as a save leaves it.
const char *const kParamsSections[][21] = {
    {"param",          "VibratoDelay", "VibratoDepth", "VibratoSweep", "VelToFc",        "VelToFcThr",
     "VelToRes",       "TremoloDelay", "TremoloDepth", "TremoloToFc",  "TremoloToPitch", "Res",
     "CutoffFreq",     "EnvDelay",     "ModEnvDelay",  "ModEnvToFc",   "ModEnvToPitch",  "_SF2ChorusSend",
     "_SF2ReverbSend", "_VibratoCent", "_VibratoDelay"},
    {"main", "ver", "OverWriteVibrato", "OverWriteTremolo", "OverWriteCutoff", "OverWriteVel",
     "OverWriteModEnv", "OverWriteEnv"},
    {"chorus", "PreLPF", "Level", "Feedback", "Delay", "Rate", "Depth", "SendReverb", "SendDelay"},
    {"efx", "GS_OD_Level", "GS_OD_Drive"},
    {"compressor", "enable", "threshold", "slope", "lookahead", "window", "attack", "release"},
    {"reverb", "scalewet", "scaleroom", "offsetroom", "fixedgain", "combfbk", "timediff"},
    {"delay", "delay"},
    {"driver", "volctrl", "nowvol"},
};

void AddKey(std::string *text, Keys *keys, const std::string &section, const std::string &key) {
  *text += key + "=100\r\n";
  keys->emplace_back(section, key);
}

void ParamsFile(std::string *text, Keys *keys) {
  for (const auto &row : kParamsSections) {
    *text += std::string("[") + row[0] + "]\r\n";
    for (int i = 1; i < 21 && row[i]; ++i) AddKey(text, keys, row[0], row[i]);
    *text += "\r\n";
  }
}

void KeysFile(int count, std::string *text, Keys *keys) {
  *text = "[s]\r\n";
  for (int i = 0; i < count; ++i) AddKey(text, keys, "s", "key" + std::to_string(i));
}

int64_t LookUp(const IniFile &ini, const Keys &keys) {
  int64_t sum = 0;
  for (const auto &key : keys)
    sum += IniGetInt(IniFindSection(ini, key.first.c_str()), key.second.c_str(), 0);
  return sum;
}

// Parse, look up every key, render: the work of a load and a save without the disk.
void InMemory(benchmark::State &state, const std::string &text, const Keys &keys) {
  for (auto _ : state) {
    IniFile ini;
    IniParse(ini, text.data(), text.size());
    benchmark::DoNotOptimize(LookUp(ini, keys));
    std::string written;
    IniRender(ini, &written);
    benchmark::DoNotOptimize(written);
  }
  state.counters["keys"] = static_cast<double>(keys.size());
}

// IniLoad, every key looked up, IniSave: the file is flushed to disk on every save.
void OnDisk(benchmark::State &state, const std::string &text, const Keys &keys) {
  std::string path = (std::filesystem::temp_directory_path() / "velder_ini_bench.ini").string();
  std::ofstream(path, std::ios::binary) << text;
  for (auto _ : state) {
    IniFile ini;
    IniLoad(ini, path.c_str());
    benchmark::DoNotOptimize(LookUp(ini, keys));
    IniSave(ini, path.c_str());
  }
  std::remove(path.c_str());
  std::remove((path + kPreviousVersionSuffix).c_str());  // kept by the first save
  state.counters["keys"] = static_cast<double>(keys.size());
}

void BM_ParamsFileInMemory(benchmark::State &state) {
  std::string text;
  Keys keys;
  ParamsFile(&text, &keys);
  InMemory(state, text, keys);
}

void BM_ParamsFileOnDisk(benchmark::State &state) {
  std::string text;
  Keys keys;
  ParamsFile(&text, &keys);
  OnDisk(state, text, keys);
}

void BM_KeysInMemory(benchmark::State &state) {
  std::string text;
  Keys keys;
  KeysFile(static_cast<int>(state.range(0)), &text, &keys);
  InMemory(state, text, keys);
}

void BM_KeysOnDisk(benchmark::State &state) {
  std::string text;
  Keys keys;
  KeysFile(static_cast<int>(state.range(0)), &text, &keys);
  OnDisk(state, text, keys);
}

}  // namespace

BENCHMARK(BM_ParamsFileInMemory);
BENCHMARK(BM_ParamsFileOnDisk);
BENCHMARK(BM_KeysInMemory)->Arg(1000)->Arg(3000)->Arg(10000);
BENCHMARK(BM_KeysOnDisk)->Arg(1000)->Arg(10000);
BENCHMARK_MAIN();
