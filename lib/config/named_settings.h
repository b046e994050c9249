// The settings of the options page and of the parameters page by name (as
// velder-cfg's show and set name them), how each value is shown, and how a
// shown value is taken back onto the page's values.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "lib/config/option_values.h"
#include "lib/config/params_entries.h"

struct OptionSetting {
  const char *name;
  uint32_t sets;  // its PageSetting bit
  std::string (*show)(const OptionValues &values);
  // False when the text is not a value the page can hold in this form.
  bool (*take)(OptionValues *values, std::string_view text);
  std::string allowed;
};

extern const OptionSetting OptionSettings[19];
const OptionSetting *FindOptionSetting(std::string_view name);
// The setting of one PageSetting bit; every bit has one.
const OptionSetting &OptionSettingOf(uint32_t bit);

// A value of the parameters page: an edit, or a check box given by its flag.
struct ParamSetting {
  std::string name;         // "section.key"
  const ParamsEntry *edit;  // null for a check box
  ParamField field;         // the edit's value or the box's flag
  std::string allowed;
};

// In the page's order: the edits, the override check boxes, then the mixer box.
const std::vector<ParamSetting> &ParamSettings();
const ParamSetting *FindParamSetting(std::string_view name);

std::string ShowParam(const DriverParams &params, const ParamSetting &setting);
// Stores the value as the page stores an entry; false when the page could not hold it.
bool TakeParam(DriverParams *params, const ParamSetting &setting, std::string_view text);
// What "保存" does to every value shown before it saves: entries limited, the mixer box 0 or 1.
void TakeShownParams(DriverParams *params);

// A number as the file keeps it, without trailing zeros: 0.9, 2, 0.1239.
std::string FormatNumber(double value);
