#include <iostream>

#include "app/calc_cli.h"

#ifdef _WIN32
#include <string>
#include <vector>

#include "app/windows_console.h"

// Windows: the arguments from the UTF-16 command line, the standard streams in
// UTF-8 (UTF-16 on a console).
int main() {
    const std::vector<std::string> arguments = kalvox::utf8Arguments();
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) argv.push_back(argument.c_str());
    if (argv.empty()) argv.push_back("kalvox-calc");
    argv.push_back(nullptr);
    kalvox::Utf8StandardStreams streams;
    return kalvox::runCalc(static_cast<int>(argv.size()) - 1, argv.data(), streams.in(),
                           streams.out(), streams.err());
}

#else

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    return kalvox::runCalc(argc, argv, std::cin, std::cout, std::cerr);
}

#endif
