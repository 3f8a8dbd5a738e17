// The suite runs on an offscreen desktop of two screens side by side, 1280 x 1024 and
// 1024 x 768, so that placement is checked against a virtual desktop of 2304 x 1024.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <fstream>
#include <string>

#include "support/temp_dir.h"

int main(int argc, char** argv)
{
    TempDir dir;
    const std::string config = dir.file("screens.json");
    std::ofstream(config) << R"({"screens": [
        {"name": "left", "x": 0, "y": 0, "width": 1280, "height": 1024, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},
        {"name": "right", "x": 1280, "y": 0, "width": 1024, "height": 768, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}
    ]})";
    setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).c_str(), 1);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
