// tinygltf's implementation, compiled once for the exporter, its tests and its fuzz target
// with the settings tools/CMakeLists.txt gives every user of the header. Read-back PNG pages
// are decoded by stb_image, kept private to this file.
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb/stb_image.h>

#define TINYGLTF_IMPLEMENTATION
#include <tiny_gltf.h>
