// Resource and control ids of VelderVolCtl.
#pragma once

#define IDD_VOLUME 101
#define IDC_VOLUME_SLIDER 1001
#define IDC_VOLUME_FIELD 1003
