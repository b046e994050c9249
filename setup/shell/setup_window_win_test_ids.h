// Page templates that only the setup window's tests use, to try the fitting
// with pages of known sizes.
#pragma once

#define IDD_TEST_SMALL_PAGE 9001
#define IDD_TEST_LARGE_PAGE 9002
#define IDC_TEST_CORNER 9003
