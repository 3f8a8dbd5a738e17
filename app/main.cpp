#include "app/ScrivaneApp.h"
#include "app/ScrivaneMain.h"

// The program's one application object.
CScrivaneApp theApp;

int main(int argc, char** argv) { return ScrivaneMain(argc, argv); }
