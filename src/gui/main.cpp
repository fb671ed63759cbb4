#include "gui/shell/program.h"

int main(int argc, char* argv[]) {
    return quindle::gui::RunProgram(argc, argv);
}
