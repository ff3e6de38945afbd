# The browser build (Emscripten): cuprolay.js, the command-line program
# under node with the host file system, and cuprolay.html, the editor as
# one self-contained page. Configured by scripts/build-web.sh.

# Debian's emcmake sets an emulator node 20 rejects; the tests run the
# programs with plain node.
set(CMAKE_CROSSCOMPILING_EMULATOR node CACHE STRING "" FORCE)
find_program(NODE_PROGRAM node REQUIRED)

set(web_parts core graphics board shell shell/headless fileio export editor)
set(web_core_sources)
foreach(part ${web_parts})
  file(GLOB part_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${part}/*.cpp)
  list(APPEND web_core_sources ${part_sources})
endforeach()
# The gateway to the platform table is chosen per program: the page
# replaces it with one that calls its own waits and dialogs directly.
set(platform_calls ${CMAKE_SOURCE_DIR}/src/shell/platform_calls.cpp)
list(REMOVE_ITEM web_core_sources ${platform_calls})

find_path(STB_INCLUDE_DIR stb_image_write.h PATH_SUFFIXES stb PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH)
if(STB_INCLUDE_DIR)
  include_directories(SYSTEM ${STB_INCLUDE_DIR})
endif()

# Compiled for size: the page's code is fetched and compiled by the
# browser on every load, and smaller functions are quicker to compile.
add_compile_options(-Os)

set(web_node_flags -sNODERAWFS=1 -sWASM_ASYNC_COMPILATION=0 -sALLOW_MEMORY_GROWTH=1 -sEXIT_RUNTIME=1)

# The manual, formatted by the converter run under node.
add_executable(manual_convert ${CMAKE_SOURCE_DIR}/tools/manual/manual_convert.cpp
  ${CMAKE_SOURCE_DIR}/src/shell/manual_format.cpp ${CMAKE_SOURCE_DIR}/src/shell/manual_rtf.cpp)
target_link_options(manual_convert PRIVATE ${web_node_flags})
set(manual_text_source ${CMAKE_BINARY_DIR}/generated/manual_text.cpp)
add_custom_command(OUTPUT ${manual_text_source}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/generated
  COMMAND ${NODE_PROGRAM} $<TARGET_FILE:manual_convert> ${CMAKE_SOURCE_DIR}/docs/manual.md ${manual_text_source}
  DEPENDS manual_convert ${CMAKE_SOURCE_DIR}/docs/manual.md
  COMMENT "Formatting the user manual")

add_library(cp_web_core STATIC ${web_core_sources} ${manual_text_source})

file(GLOB app_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/app/*.cpp)
add_executable(cuprolay ${app_sources} ${platform_calls} ${CMAKE_SOURCE_DIR}/src/shell/web/node/host_mask.cpp)
target_link_libraries(cuprolay PRIVATE cp_web_core)
target_link_options(cuprolay PRIVATE ${web_node_flags})
include(${CMAKE_SOURCE_DIR}/cmake/nets.cmake)

include(${CMAKE_SOURCE_DIR}/cmake/web_page.cmake OPTIONAL)
