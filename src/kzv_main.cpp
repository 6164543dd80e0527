#include "platform/sdl_host.h"
#include "shell/program.h"

int main(int argc, char** argv) { return platform::RunSdlHost(argc, argv, StartProgram); }
