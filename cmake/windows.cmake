# The Windows build (cross-built with cmake/mingw-w64-x86_64.cmake): a
# GoogleTest built from Debian's sources, and the program wrapped in the
# emulator for the end-to-end scripts, which call it like a Linux program.

set(CUPROLAY_BENCHMARKS OFF CACHE BOOL "" FORCE)
# M_PI and friends, which glibc offers without asking.
add_compile_definitions(_USE_MATH_DEFINES)
set(CUPROLAY_TOOLS OFF CACHE BOOL "" FORCE)

set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
find_path(CUPROLAY_GTEST_SOURCE CMakeLists.txt PATHS /usr/src/googletest/googletest
  NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
add_subdirectory(${CUPROLAY_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# (its own CMake file defines GTest::gtest and GTest::gtest_main)

# The machine has no binfmt entry for .exe files; the scripts run this.
set(CUPROLAY_E2E_PROGRAM ${CMAKE_BINARY_DIR}/cuprolay-wine)
file(GENERATE OUTPUT ${CUPROLAY_E2E_PROGRAM}
  CONTENT "#!/bin/sh\nexec ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:cuprolay> \"$@\"\n"
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# The editor window on Linux is not part of this build; the tests of
# saving through symbolic and hard links, file modes and device files test
# what only POSIX file systems have, and the fault injection runs each
# refusal in a forked child, which Windows cannot do. The memory shortage
# test limits the address space, which stops wine itself from starting.
set(CUPROLAY_E2E_SKIP desktop safe_saving memory_shortage)
set(CUPROLAY_TEST_SKIP shell/test_safe_file.cpp editor/test_fault_injection.cpp)
message(STATUS "Windows build: skipping ${CUPROLAY_E2E_SKIP} and ${CUPROLAY_TEST_SKIP} (POSIX links, modes, devices, fork and address-space limits)")

# The Windows backend and the program's resources: the manual as rich
# text and the icon are made at build time by tools run under wine.
enable_language(RC)
file(GLOB win32_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/shell/win32/*.cpp)
add_library(cp_win32 STATIC ${win32_sources})
target_link_libraries(cp_win32 PUBLIC cp_shell user32 gdi32 comdlg32)

add_executable(icon_file ${CMAKE_SOURCE_DIR}/tools/windows/icon_file.cpp
  ${CMAKE_SOURCE_DIR}/src/shell/icon_picture.cpp)
set(resource_dir ${CMAKE_BINARY_DIR}/generated)
add_custom_command(OUTPUT ${resource_dir}/manual.rtf
  COMMAND ${CMAKE_COMMAND} -E make_directory ${resource_dir}
  COMMAND manual_convert --rtf ${CMAKE_SOURCE_DIR}/docs/manual.md ${resource_dir}/manual.rtf
  DEPENDS manual_convert ${CMAKE_SOURCE_DIR}/docs/manual.md
  COMMENT "Formatting the user manual as rich text")
add_custom_command(OUTPUT ${resource_dir}/cuprolay.ico
  COMMAND ${CMAKE_COMMAND} -E make_directory ${resource_dir}
  COMMAND icon_file ${resource_dir}/cuprolay.ico
  DEPENDS icon_file
  COMMENT "Drawing the program icon")
set(resource_script ${CMAKE_SOURCE_DIR}/src/shell/win32/cuprolay.rc)
set_source_files_properties(${resource_script} PROPERTIES
  OBJECT_DEPENDS "${resource_dir}/manual.rtf;${resource_dir}/cuprolay.ico")

if(TARGET cuprolay)
  target_sources(cuprolay PRIVATE ${resource_script})
  target_include_directories(cuprolay PRIVATE ${resource_dir} ${CMAKE_SOURCE_DIR}/src/shell/win32)
  target_link_libraries(cuprolay PRIVATE cp_win32)
  # A window program; the command-line forms attach to the parent's console.
  target_link_options(cuprolay PRIVATE -mwindows)
endif()

# The Linux program of the same sources, for the byte-for-byte comparison.
set(CUPROLAY_LINUX_PROGRAM "${CMAKE_SOURCE_DIR}/build/cuprolay" CACHE FILEPATH "The Linux build's cuprolay")
if(TARGET cuprolay)
  add_test(NAME windows_same_output
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/windows/same_output.sh ${CUPROLAY_LINUX_PROGRAM} ${CUPROLAY_E2E_PROGRAM})
  set_tests_properties(windows_same_output PROPERTIES LABELS e2e
    ENVIRONMENT "CUPROLAY_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
endif()

# The exe's imports, and its menu against the portable menu table.
if(TARGET cuprolay)
  add_test(NAME windows_exe_imports
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/windows/exe_imports.sh $<TARGET_FILE:cuprolay> ${CUPROLAY_MINGW}-objdump)
  set_tests_properties(windows_exe_imports PROPERTIES LABELS e2e)
endif()
add_test(NAME windows_menu_matches
  COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/windows/menu_matches.py
    ${CMAKE_SOURCE_DIR}/src/shell/win32/cuprolay.rc ${CMAKE_SOURCE_DIR}/src/shell/menu_table.cpp
    ${CMAKE_SOURCE_DIR}/src/shell/codes.h)
set_tests_properties(windows_menu_matches PROPERTIES LABELS e2e)

# The real window under wine and Xvfb; its screenshots stay in window-screens.
if(TARGET cuprolay)
  add_test(NAME windows_window
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/windows/window.sh ${CUPROLAY_LINUX_PROGRAM} ${CUPROLAY_E2E_PROGRAM}
      ${CMAKE_CROSSCOMPILING_EMULATOR})
  set_tests_properties(windows_window PROPERTIES LABELS e2e
    ENVIRONMENT "CUPROLAY_SOURCE_DIR=${CMAKE_SOURCE_DIR};CUPROLAY_SCREENS=${CMAKE_BINARY_DIR}/window-screens")
endif()
