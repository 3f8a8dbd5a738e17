#pragma once
// The folder browser's resources in the library's resource manifest.

#include <zelmtools/platform/base/win_types.h>

namespace zelm::tools {

constexpr UINT IDD_CREATE_NEW_FOLDER = 6202;
constexpr UINT IDR_FOLDER_MENU = 6204;
constexpr UINT IDC_NEW_FOLDER_NAME = 6205;
constexpr UINT IDC_CURRENT_FOLDER = 6206;
constexpr UINT ID_CREATE_FOLDER = 35300;
constexpr UINT ID_DELETE_FOLDER = 35301;
// String table: "cannot create" (the reason), "not empty, delete all?" (the folder),
// "delete?" (the folder), "cannot delete" (the folder, the reason).
constexpr UINT IDS_CANNOT_CREATE_FOLDER = 6203;
constexpr UINT IDS_FOLDER_NOT_EMPTY = 6204;
constexpr UINT IDS_DELETE_FOLDER = 6205;
constexpr UINT IDS_CANNOT_DELETE_FOLDER = 6206;
// The longest new folder name, in bytes.
constexpr int kMaxNewFolderName = 256;

}  // namespace zelm::tools
