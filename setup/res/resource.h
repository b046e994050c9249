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

// Program icon
#define IDI_SETUP 107
