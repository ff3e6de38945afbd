# The JSON form of --nets; the library stays out of the core.
find_package(nlohmann_json 3 REQUIRED)
if(TARGET cuprolay)
  target_link_libraries(cuprolay PRIVATE nlohmann_json::nlohmann_json)
endif()
