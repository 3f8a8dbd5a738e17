#include "app/ScrivaneMain.h"

#include <cstdio>

int ScrivaneMain(int, char**)
{
    std::fprintf(stderr, "usage: scrivane --batch INPUT [options]   (scrivane --help for more)\n");
    return 2;
}
