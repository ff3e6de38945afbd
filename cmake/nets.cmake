# The JSON form of --nets uses nlohmann-json, header-only and kept out of
# the core. Cross builds (browser, Windows) take the same host headers,
# but only the library's own directory, never the host's whole /usr/include.
find_path(NLOHMANN_JSON_INCLUDE_DIR nlohmann/json.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
if(CMAKE_CROSSCOMPILING)
  set(json_include ${CMAKE_BINARY_DIR}/json-include)
  file(MAKE_DIRECTORY ${json_include})
  file(CREATE_LINK ${NLOHMANN_JSON_INCLUDE_DIR}/nlohmann ${json_include}/nlohmann SYMBOLIC)
  set(NLOHMANN_JSON_INCLUDE_DIR ${json_include})
endif()
if(TARGET cuprolay)
  target_include_directories(cuprolay SYSTEM PRIVATE ${NLOHMANN_JSON_INCLUDE_DIR})
endif()
