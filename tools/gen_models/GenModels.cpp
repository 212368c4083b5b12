// gen_models: writes the shipped cover models into the folder given as its
// only argument (the program's "Tsym" folder), creating the folder if needed.
#include <exception>
#include <filesystem>
#include <iostream>

#include "core/model/EmoWriter.h"
#include "core/model/SoftwareBox.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: gen_models <output folder>\n";
        return 2;
    }
    try {
        const std::filesystem::path folder = argv[1];
        std::filesystem::create_directories(folder);
        tessaly::SaveModelToFile(tessaly::BuildSoftwareBox({}), folder / "stdbox.emo");
    } catch (const std::exception& e) {
        std::cerr << "gen_models: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
