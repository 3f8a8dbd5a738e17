#pragma once
// Resource numbers of the scrivane program.

constexpr int IDD_SCRIVANE_DIALOG = 102;
constexpr int IDR_MAINFRAME = 128;
constexpr int IDB_PAGE_TEMPLATE = 129;
constexpr int IDB_OUTPUT_TEMPLATE = 130;
constexpr int IDC_OUTPUT_FOLDER = 1000;
constexpr int IDC_BROWSE_FOLDER = 1001;
constexpr int IDC_PROGRESS = 1002;
constexpr int IDC_INPUT_FILE = 1006;
constexpr int IDC_STOP = 1007;
constexpr int IDC_PREVIEW = 1008;
constexpr int IDC_CHANGE_FONT = 1009;
constexpr int IDC_TEST_FONT = 1010;
constexpr int IDC_DELSIZE = 1011;
constexpr int IDC_DELSIZE_SPIN = 1012;
