// orvjava: the environment.
#include "shell/startup.h"

int main(int argc, char** argv) { return orv::RunEnvironment(argc, argv); }
