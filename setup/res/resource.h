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
#define IDC_SAMPLE_RATE 1009
#define IDC_STEREO 1010
#define IDC_MONO 1011
#define IDC_CHORUS 1012
#define IDC_REVERB 1013
#define IDC_CHORUS_LEVEL_ON 1014
#define IDC_REVERB_LEVEL_ON 1015
#define IDC_CHORUS_LEVEL 1016
#define IDC_REVERB_LEVEL 1017
#define IDC_VOLUME 1018
#define IDC_VOLUME_MIRROR 1019
#define IDC_DRUM_POWER 1020
#define IDC_POLYPHONY 1021
#define IDC_DRUM_POWER_MIRROR 1022
#define IDC_POLYPHONY_MIRROR 1023
#define IDC_BYTE_SWAP 1026
#define IDC_OPT_RELOAD 1027
#define IDC_OPT_APPLY 1028
#define IDC_FX_MOD_WHEEL 1030
#define IDC_FX_PORTAMENTO 1031
#define IDC_FX_CHANNEL_PRESSURE 1032
#define IDC_FX_NRPN_DRUM 1033
#define IDC_FX_NRPN_VIBRATO 1034
#define IDC_FX_TVA_ENVELOPE 1035
#define IDC_FX_TEMPERAMENT 1036
#define IDC_RESAMPLE 1037
#define IDC_FX_EQ 1038
#define IDC_FX_INSERTION 1039
#define IDC_FX_RETRIGGER 1040
#define IDC_FX_TEXT_META 1041
#define IDC_FX_MOD_ENVELOPE 1042
#define IDC_FX_CC94_DELAY 1043
#define IDC_PSEUDO_REVERB 1044
#define IDC_RESAMPLE_N 1045
#define IDC_FAST_PANNING 1046
#define IDC_FAST_DECAY 1047
#define IDC_LATENCY 1048
#define IDC_UNLOAD_INSTRUMENTS 1049
#define IDC_CACHE_SIZE 1050
#define IDC_VOICE_LPF 1051
#define IDC_NOISE_SHAPING 1052

// Driver parameters page
#define IDD_DRIVER_PARAMS 157

// Program icon
#define IDI_SETUP 107
