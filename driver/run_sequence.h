#pragma once
// One run of the program from start to exit; returns the exit code.
int RunTarvelo(int argc, char** argv);
