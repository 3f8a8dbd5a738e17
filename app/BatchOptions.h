#pragma once
// The command line of the batch mode: scrivane --batch INPUT [options].

#include <optional>
#include <string>

#include "app/WorkParams.h"

struct BatchOptions {
    std::string inputFile;
    std::string outputFolder;  // empty: the system temporary folder
    std::string fontFamily;    // empty: the stored font, else the default interface font
    int sizePx = 0;            // 0: the default font's size
    std::optional<bool> bold;  // unset: as the stored font is
    std::optional<bool> italic;
    bool noUnderline = false;  // off: as the stored font is
    int delSize = 3;
    bool delSizeGiven = false;  // otherwise the stored setting, if any
    TextEncoding encoding = TextEncoding::Auto;
    bool quiet = false;
    bool help = false;
};

// Parses the arguments after the program name (with --batch among them). Returns the
// usage error to report, or nothing when the options are good. "--" ends the options;
// the input "-" is the standard input.
std::optional<std::string> ParseBatchOptions(int argc, char** argv, BatchOptions& options);

std::string BatchUsage();
