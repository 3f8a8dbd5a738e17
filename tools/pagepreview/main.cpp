// scrivane-preview PAGE.bmp: shows a page in the terminal.
#include <cstdio>
#include <cstring>

#include "tools/pagepreview/PagePreview.h"

int main(int argc, char** argv)
{
    if (argc != 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::fprintf(argc == 2 ? stdout : stderr, "usage: scrivane-preview PAGE.bmp\n");
        return argc == 2 ? 0 : 2;
    }
    std::string error;
    auto image = ReadPageImage(argv[1], error);
    if (!image) {
        std::fprintf(stderr, "scrivane-preview: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s (%d x %d)\n%s", argv[1], image->width, image->height, RenderBraille(*image).c_str());
    return 0;
}
