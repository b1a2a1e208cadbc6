// The program entry: no arguments, exit code 0 on every path.
#include "core/startup.h"

int main() { return GameMain(); }
