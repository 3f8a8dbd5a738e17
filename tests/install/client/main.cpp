// A client that uses only the registry key object: writes a value and reads it back,
// then looks at its own memory map. Exit 0 when the value round-trips and no Qt GUI
// library was loaded with zelmTools.

#include <cstdio>
#include <fstream>
#include <string>

#include <zelmtools/registry/RegItem.h>

int main()
{
    CRegItem item;
    if (!item.CreateKey("InstallCheck")) return 1;
    if (!item.SetValue("Answer", 42L)) return 2;
    long answer = 0;
    if (!item.QueryValue("Answer", &answer) || answer != 42) return 3;

    std::ifstream maps("/proc/self/maps");
    for (std::string line; std::getline(maps, line);) {
        if (line.find("libQt6Gui") != std::string::npos || line.find("libQt6Widgets") != std::string::npos) {
            std::fprintf(stderr, "a registry client loaded a GUI library: %s\n", line.c_str());
            return 4;
        }
    }
    std::puts("zelmTools client: ok");
    return 0;
}
