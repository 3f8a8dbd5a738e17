#include "app/ScrivaneMain.h"

int main(int argc, char** argv) { return ScrivaneMain(argc, argv); }
