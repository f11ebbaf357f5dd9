#include <iostream>

#include "cli/card_command.h"
#include "platform/local_file_system.h"

int main(int argc, char** argv) {
    quodlin::LocalFileSystem fs;
    const std::vector<std::string> args(argv + 1, argv + argc);
    return quodlin::RunCardCommand(args, fs, std::cout, std::cerr);
}
