#include "cli/Cli.h"

int main(int argc, char** argv) {
    return qx::cli::run(argc, argv);
}
