// gen_models: writes the shipped cover models, their page texture and the
// catalogue "models.ini" into the folder given as its only argument (the
// program's "Tsym" folder), creating the folder if needed.
#include <exception>
#include <filesystem>
#include <iostream>

#include "core/model/ShippedModels.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: gen_models <output folder>\n";
        return 2;
    }
    try {
        tessaly::WriteShippedModels(argv[1]);
    } catch (const std::exception& e) {
        std::cerr << "gen_models: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
