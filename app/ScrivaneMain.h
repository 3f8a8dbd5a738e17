#pragma once

// The program's entry: batch mode with --batch, otherwise the dialog.
int ScrivaneMain(int argc, char** argv);
