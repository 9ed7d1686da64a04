# The Windows builds' own copies of two Debian dependencies: nlohmann-json (header-only; its
# folder copied alone, since the whole of /usr/include would hide MinGW's C library) and
# GoogleTest built from Debian's source package. Both give the targets find_package would.
set(nlohmannSource /usr/include/nlohmann)
set(nlohmannCopy ${CMAKE_BINARY_DIR}/third_party/include)
if(EXISTS ${nlohmannSource}/json.hpp)
  file(COPY ${nlohmannSource} DESTINATION ${nlohmannCopy})
  add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
  set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
                        INTERFACE_SYSTEM_INCLUDE_DIRECTORIES ${nlohmannCopy}
                        INTERFACE_INCLUDE_DIRECTORIES ${nlohmannCopy})
endif()

set(googletestSource /usr/src/googletest)
if(EXISTS ${googletestSource}/CMakeLists.txt)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${googletestSource} ${CMAKE_BINARY_DIR}/third_party/googletest EXCLUDE_FROM_ALL)
  # Their code is not held to our warning flags.
  set_property(TARGET gtest gtest_main PROPERTY COMPILE_OPTIONS "")
endif()
