# Settings of the WebAssembly build (web/CMakeLists.txt), made before the generators' library.
# The generators report a refused value by throwing; the browser's own exceptions keep that
# small and quick.
add_compile_options(-fwasm-exceptions)
add_link_options(-fwasm-exceptions)

# The recipe format reads JSON through the system's header-only library. The toolchain looks
# for packages only in its own root, and the rest of /usr/include must stay out of the build,
# so the library's folder alone is linked into the build tree.
find_path(SITEWRIGHT_JSON_HEADERS nlohmann/json.hpp PATHS /usr/include
  NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/json-headers)
file(CREATE_LINK ${SITEWRIGHT_JSON_HEADERS}/nlohmann ${CMAKE_BINARY_DIR}/json-headers/nlohmann
  SYMBOLIC)
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
target_include_directories(nlohmann_json::nlohmann_json INTERFACE
  ${CMAKE_BINARY_DIR}/json-headers)

# Debian's emscripten runs its JavaScript optimizer on the machine's Node.js, which finds the
# parser that optimizer needs only among Debian's Node modules; so any `cmake --build` links.
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
