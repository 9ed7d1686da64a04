// Reads a binary glTF file held in memory back with tinygltf, as the export's tests and its
// fuzz target check what the exporter wrote.
#pragma once

#include <string>

#include <tiny_gltf.h>

// False when tinygltf cannot read `glb`; its error and warning texts are left in the two
// strings either way.
bool readGlb(const std::string& glb, tinygltf::Model* model, std::string* error,
             std::string* warning);
