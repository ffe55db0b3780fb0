#include "cli/Cli.h"

#include <clocale>

int main(int argc, char** argv) {
    // Names in the domain tree sort in the user's collation, as in the program
    // (where Qt takes the locale from the environment).
    std::setlocale(LC_COLLATE, "");
    return qx::cli::run(argc, argv);
}
