#include "Application.h"

#include <iostream>

int main(int argc, char* argv[]) {
    return Kvgeo::Application(std::cout, std::cerr).run(argc, argv);
}
