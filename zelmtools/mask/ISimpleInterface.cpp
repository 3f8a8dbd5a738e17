#include <zelmtools/mask/ISimpleInterface.h>

int ISimpleInterface::QueryInterface(const char*, void** result)
{
    if (result != nullptr) *result = nullptr;
    return 0;
}
