#pragma once
// The program's entry: the window, or one of the headless commands.
int runVelkora(int argc, char** argv);
