#include "shell/Program.h"

// The program's only step: hand its description to the forms platform, which
// never returns.
int main() {
    controls::startProgram(controls::program);
}
