#include "shell/cli/cli.h"

int main(int argc, char** argv) { return runVelkora(argc, argv); }
