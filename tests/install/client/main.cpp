// Writes a value through the installed library and reads it back: exit 0 when it round-trips.

#include <cstdio>

#include "zelmtools/registry/RegItem.h"

int main()
{
    CRegItem item;
    if (!item.CreateKey("InstallCheck")) return 1;
    if (!item.SetValue("Answer", 42L)) return 2;
    long answer = 0;
    if (!item.QueryValue("Answer", &answer) || answer != 42) return 3;
    std::puts("zelmTools client: ok");
    return 0;
}
