// What the desktop program's result-file code does, for the browser tests to hold the
// page to:
//   web_result_file_reference            the file for a state given on standard input,
//     one text a line: the input, the output, then tag, content and stored expression
//     of each register from register 1 on; the file's bytes go to standard output;
//   web_result_file_reference read NAME  "loaded", or the message a refused file gives.
#include <cstdio>
#include <iostream>
#include <string>

#include "memory/result_file.h"
#include "memory/result_file_reader.h"

namespace {

std::string nextLine() {
    std::string line;
    std::getline(std::cin, line);
    return line;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "read") {
        const kalvox::OpenedResultFile file = kalvox::readResultFile(argv[2]);
        std::fputs(file.ok() ? "loaded" : file.message.c_str(), stdout);
        return 0;
    }
    const std::string input = nextLine();
    const std::string output = nextLine();
    kalvox::MemoryRegisters registers;
    for (kalvox::MemoryRegister& reg : registers) {
        reg.tag = nextLine();
        reg.content = nextLine();
        reg.storedExpression = nextLine();
    }
    const kalvox::EncodedFile file =
        kalvox::encodeResultFile(kalvox::resultLines(input, output, registers));
    if (!file.result.ok()) {
        std::fputs(file.result.message.c_str(), stderr);
        return 1;
    }
    std::fwrite(file.bytes.data(), 1, file.bytes.size(), stdout);
    return 0;
}
