// Rewriting orvane.cfg from the page's values: ordinary lines and the option
// lines the page does not manage are kept, the managed ones are replaced by
// a block generated from the values.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "lib/config/option_values.h"

// Lines are written as a file opened in text mode writes them on Windows.
extern const char kLineEnd[];

// "-E" and one letter per EffectFlags row: lowercase when on.
std::string BuildEffectFlags(const OptionValues &values);

// The generated option lines, each ended by kLineEnd.
std::string BuildGeneratedBlock(const OptionValues &values);

// The kept lines, an empty line, the foreign option lines, an empty line and
// the generated block. Kept and foreign lines come back byte for byte.
std::string RewriteOptionLines(std::string_view fileText, const OptionValues &values);

// What the block writes for the values it bounds or reads from an edit's
// text, given that text: the rules the generated lines follow.

// The level of "--chorus=" and "--reverb=" when the level box is `on`; 0
// when the line goes without one.
int32_t WrittenLevel(bool on, std::string_view text);
// The seconds of "--rtsyn-latency=": the text's fraction, 0.040 at least,
// with three decimals.
std::string WrittenLatency(std::string_view text);
// The N of "-N" with `algorithm`: its default for 0 or less, its largest
// above that. 0 for an algorithm that takes no N: no "-N" line is written.
int32_t WrittenResampleN(const ResampleChoice &algorithm, std::string_view text);
// "-R": the text's number, kept within kPseudoReverbRange.
constexpr Range kPseudoReverbRange = {0, 1000};
int32_t WrittenPseudoReverb(std::string_view text);
