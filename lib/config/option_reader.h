// Reading option lines onto the page's values. Nothing is reset first: each
// option overlays what the values held, and of repeated options the last wins.
#pragma once

#include <cstdint>
#include <string_view>

#include "lib/config/option_values.h"

// The values the page starts with, before the file's options are read.
OptionValues DefaultOptionValues();

// Applies every option line of a file's text, in file order.
void ApplyOptionLines(OptionValues *values, std::string_view fileText);
// Applies one option text (the part behind "#extension opt").
void ApplyOptionText(OptionValues *values, std::string_view option);
// The value of a "-E" option: an "F" sub-option or a string of flag letters.
void ApplyEffectOption(OptionValues *values, std::string_view value);
// The settings a "-E" value is for (see PageSetting); a sub-option's value in `*rest`.
uint32_t EffectOptionSettings(std::string_view value, std::string_view *rest);

// The value operations, as the page offers them.
void SetVolume(OptionValues *values, int32_t volume);
void SetDrumPower(OptionValues *values, int32_t power);
void SetPolyphony(OptionValues *values, int32_t voices);
void SelectSampleRate(OptionValues *values, int32_t hertz);
void SetChorus(OptionValues *values, std::string_view value);
void SetReverb(OptionValues *values, std::string_view value);
void SelectResample(OptionValues *values, std::string_view value);
void SelectVoiceLpf(OptionValues *values, std::string_view value);
void SelectNoiseShaping(OptionValues *values, std::string_view value);
void SelectCacheSize(OptionValues *values, std::string_view value);
// The bytes a size text stands for: "2M", "2048K" or a count of bytes.
int64_t CacheSizeBytes(std::string_view value);
