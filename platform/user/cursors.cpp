#include "platform/user/cursors.h"

#include <zelmtools/platform/base/errors.h>

namespace {

constexpr UINT_PTR kFirstStandardCursor = 32512;
constexpr UINT_PTR kLastStandardCursor = 32515;
// Standard cursors are shared handles in a range of their own, apart from loaded icons.
constexpr UINT_PTR kStandardCursorHandles = 0x7fff0000;

}  // namespace

HCURSOR LoadCursorA(HINSTANCE hInstance, LPCSTR lpCursorName)
{
    const auto id = reinterpret_cast<UINT_PTR>(lpCursorName);
    if (hInstance != nullptr || !IS_INTRESOURCE(lpCursorName) || id < kFirstStandardCursor ||
        id > kLastStandardCursor) {
        SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<HCURSOR>(kStandardCursorHandles + id);
}
