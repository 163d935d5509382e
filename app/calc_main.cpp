#include <iostream>

#include "app/calc_cli.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    return kalvox::runCalc(argc, argv, std::cin, std::cout, std::cerr);
}
