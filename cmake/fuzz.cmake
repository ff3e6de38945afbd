# The libFuzzer targets: one fuzz/fuzz_NAME.cpp file is one target. Built
# only in a clang tree configured with -DCUPROLAY_FUZZ=ON, -DCUPROLAY_SANITIZE=ON
# and CMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link, so that the whole core
# carries the coverage hooks under ASan and UBSan (scripts/test-fuzz.sh
# makes it as build-fuzz).
option(CUPROLAY_FUZZ "Build the libFuzzer targets (clang only)" OFF)
if(CUPROLAY_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "CUPROLAY_FUZZ needs clang (CXX=clang++)")
  endif()
  file(GLOB fuzz_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/fuzz_*.cpp)
  add_custom_target(fuzz_all)
  foreach(source ${fuzz_sources})
    get_filename_component(fuzz_name ${source} NAME_WE)
    add_executable(${fuzz_name} ${source} ${CMAKE_SOURCE_DIR}/fuzz/support.cpp)
    target_include_directories(${fuzz_name} PRIVATE ${CMAKE_SOURCE_DIR}/fuzz ${CMAKE_SOURCE_DIR}/tests)
    target_link_libraries(${fuzz_name} PRIVATE cp_test_support cp_headless ${CUPROLAY_CORE_LIBS})
    target_link_options(${fuzz_name} PRIVATE -fsanitize=fuzzer)
    add_dependencies(fuzz_all ${fuzz_name})
  endforeach()
endif()
