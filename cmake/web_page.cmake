# The page, cuprolay.html: the editor on the page backend, one file with
# the wasm, the script and the style inside it.
file(GLOB web_page_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/shell/web/*.cpp)
set(web_page_template ${CMAKE_SOURCE_DIR}/src/shell/web/page.html)
set(web_page_library ${CMAKE_SOURCE_DIR}/src/shell/web/page_library.js)
add_executable(cuprolay_page ${web_page_sources})
# In a folder of its own: emcc's page step would replace the node
# program's cuprolay.js beside it.
set_target_properties(cuprolay_page PROPERTIES OUTPUT_NAME cuprolay SUFFIX .html
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/page LINK_DEPENDS "${web_page_template};${web_page_library}")
target_link_libraries(cuprolay_page PRIVATE cp_web_core)
# MINIFY_HTML is off: Debian's emcc calls htmlmin wrongly.
# Lean unwinding: the waits and dialogs are reached by direct calls
# (shell/platform.h), so calls through pointers get no unwinding code,
# except the one that runs the command table's handlers. Its function is
# exported only so that the optimizer keeps it whole under its name
# rather than merging it into its one caller. The page's fd_sync
# (page_library.js) never suspends, so the writer's sync gets no
# unwinding code either.
# Only small functions are merged into their one caller. The browser runs
# a function first as quickly compiled code and compiles it again, on its
# background threads, once it has run enough code, counted by the size of
# a loop body at every turn. Merged callees make big loop bodies that
# reach that point early and take long to compile again, and for main and
# the editor's loop, which are entered once, the second compile is never
# used; on a small machine those compiles take the processor from the page.
# For the same reason the allocator is Emscripten's small one: the large
# functions of the default one are among the first compiled again.
target_link_options(cuprolay_page PRIVATE
  -Os -sBINARYEN_EXTRA_PASSES=--one-caller-inline-max-function-size=50 -sMALLOC=emmalloc -sSINGLE_FILE=1 -sASYNCIFY=1 -sASYNCIFY_STACK_SIZE=16384 -sALLOW_MEMORY_GROWTH=1
  -sASYNCIFY_IGNORE_INDIRECT=1 "-sASYNCIFY_ADD=dispatch_command(int)" -sASYNCIFY_REMOVE=fsync
  -sEXPORTED_FUNCTIONS=_main,_malloc,_free,__Z16dispatch_commandi -sENVIRONMENT=web -sMINIFY_HTML=0 -lidbfs.js
  --shell-file ${web_page_template} --js-library ${web_page_library}
  --embed-file ${CMAKE_SOURCE_DIR}/examples@/examples)
