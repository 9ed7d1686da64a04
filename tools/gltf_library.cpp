// tinygltf's implementation, compiled once for the exporter, its tests and its fuzz target
// with the settings tools/CMakeLists.txt gives every user of the header, and the read-back of
// an exported file that the tests and the fuzz target share. Read-back PNG pages are decoded
// by stb_image, kept private to this file.
#include "tools/gltf_read_back.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb/stb_image.h>

#define TINYGLTF_IMPLEMENTATION
#include <tiny_gltf.h>

bool readGlb(const std::string& glb, tinygltf::Model* model, std::string* error,
             std::string* warning) {
  tinygltf::TinyGLTF reader;
  return reader.LoadBinaryFromMemory(model, error, warning,
                                     reinterpret_cast<const unsigned char*>(glb.data()),
                                     static_cast<unsigned int>(glb.size()));
}
