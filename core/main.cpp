// The program entry: no arguments; exit code 0 on every path but a start
// without a display (1, after "Can't open Main Window" on standard error).
#include "core/startup.h"

int main() { return GameMain(); }
