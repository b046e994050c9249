// Resource and control ids of VelderSetup. The driver's users know these
// pages by their templates, so the numbers are fixed.
#pragma once

// Setup window
#define IDD_SETUP 101
#define IDC_TABS 1001

// Config editor page
#define IDD_CFG_EDITOR 102
#define IDC_CFG_EDIT 1002
#define IDC_CFG_SAVE 1005
#define IDC_CFG_RELOAD 1006
#define IDC_ADD_SOURCE 1051
#define IDC_ADD_SOUNDFONT 1052
#define IDC_ADD_DIR 1053

// Option reference page
#define IDD_OPTION_REF 104
#define IDR_OPTION_REF_TEXT 105
#define IDC_OPTION_REF_EDIT 1003

// Synthesizer options page
#define IDD_OPTIONS 106

// Driver parameters page
#define IDD_DRIVER_PARAMS 157
#define IDC_PARAMS_SAVE 1029
#define IDC_MIXER_VOLUME 1053
#define IDC_TREMOLO_DEPTH 2003
#define IDC_TREMOLO_TO_FC 2004
#define IDC_CUTOFF_FREQ 2005
#define IDC_MODENV_TO_PITCH 2006
#define IDC_MODENV_DELAY 2008
#define IDC_RES 2009
#define IDC_OVERWRITE_VIBRATO 2109
#define IDC_OVERWRITE_VEL 2110
#define IDC_VEL_TO_FC 2111
#define IDC_OVERWRITE_ENV 2112
#define IDC_VEL_TO_RES 2113
#define IDC_VEL_TO_FC_THR 2114
#define IDC_OVERWRITE_TREMOLO 2115
#define IDC_TREMOLO_TO_PITCH 2116
#define IDC_OVERWRITE_MODENV 2117
#define IDC_OVERWRITE_CUTOFF 2118
#define IDC_CALC_VIBRATO_DELAY 2119
#define IDC_CALC_VIBRATO_CENT 2120
#define IDC_OD_DRIVE 2121
#define IDC_OD_LEVEL 2122
#define IDC_VIBRATO_DELAY 2123
#define IDC_VIBRATO_DEPTH 2124
#define IDC_TREMOLO_DELAY 2125
#define IDC_MODENV_TO_FC 2126
#define IDC_ENV_DELAY 2127

// Program icon
#define IDI_SETUP 107
