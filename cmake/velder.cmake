# Build settings shared by every target, and the helpers that declare tests.

add_compile_options(-Wall -Wextra -Werror)

if(WIN32)
  enable_language(RC)
  # Texts are CP932 bytes in the programs, as the driver's files are.
  add_compile_options(-fexec-charset=CP932 -D_WIN32_WINNT=0x0601 -DWINVER=0x0601)
  # The programs import system DLLs only: the C and C++ runtimes go in statically.
  add_link_options(-static -static-libgcc -static-libstdc++)
  # Hardened programs: ASLR and DEP, asked for explicitly rather than left to the linker's defaults.
  add_link_options(-Wl,--dynamicbase,--nxcompat)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    add_link_options(-Wl,--high-entropy-va)
  endif()
  # On a terminal server the Windows directory is then the system's, where the
  # driver reads its files, not one of each user's.
  add_link_options(-Wl,--tsaware)
  # The shipped programs carry no symbols.
  add_link_options($<$<CONFIG:Release>:-s>)
  set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
elseif(VELDER_BENCH)
  add_compile_options(-fexec-charset=CP932)
  find_package(benchmark REQUIRED)
elseif(VELDER_FUZZ)
  add_compile_options(-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
  # The fuzz runs are tests: CTest finds them only through the top directory.
  enable_testing()
else()
  add_compile_options(-fexec-charset=CP932 -fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
endif()

if(VELDER_TESTS)
  enable_testing()
  include(GoogleTest)
  set(gtest_disable_pthreads ${WIN32} CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # GoogleTest's own sources are not held to our warning set.
  target_compile_options(gtest PRIVATE -w)
  target_compile_options(gtest_main PRIVATE -w)
  if(WIN32)
    find_program(VELDER_WINE wine REQUIRED)
    set(VELDER_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
    set(VELDER_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-exec.sh ${VELDER_WINEPREFIX})
  endif()
endif()

# velder_program(<name> SOURCES <files...> [LIBS <targets...>])
# A program of the project's own sources and the given libraries; the
# helpers below take the same arguments.
function(velder_program name)
  cmake_parse_arguments(P "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${P_SOURCES})
  target_link_libraries(${name} PRIVATE ${P_LIBS})
endfunction()

# The start of each helper below: returns from it when the build holds no
# such targets, else builds <name> from SOURCES and LIBS with <extra> linked.
macro(velder_kind_program enabled name extra)
  if(NOT ${enabled})
    return()
  endif()
  velder_program(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE ${extra})
endmacro()

# velder_manifest(<program> <template> <script>)
# Builds the resource script <script> into <program> alone, with the manifest
# it names made from <template> (named as it less its ".in"): the Windows
# versions the programs support, one list for all, go in for
# @VELDER_SUPPORTED_OS@.
function(velder_manifest program template script)
  set(list ${CMAKE_SOURCE_DIR}/cmake/supported-os.xml)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${list})
  file(READ ${list} VELDER_SUPPORTED_OS)
  get_filename_component(name ${template} NAME_WLE)
  configure_file(${template} ${CMAKE_CURRENT_BINARY_DIR}/${name} @ONLY)
  target_sources(${program} PRIVATE ${script})
  # The resource compiler looks for the manifest in the include folders.
  target_include_directories(${program} PRIVATE ${CMAKE_CURRENT_BINARY_DIR})
  set_property(SOURCE ${script} APPEND PROPERTY OBJECT_DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/${name})
endfunction()

# velder_version_resource(<program> <English description> <Japanese description>)
# Gives <program> its version resource (cmake/version.rc.in): the project's
# version, the product's name, the file's name and its description in both
# languages.
function(velder_version_resource program VELDER_DESCRIPTION_EN VELDER_DESCRIPTION_JA)
  set(VELDER_NAME ${program})
  set(VELDER_FILE ${program}.exe)
  set(script ${CMAKE_CURRENT_BINARY_DIR}/${program}_version.rc)
  configure_file(${CMAKE_SOURCE_DIR}/cmake/version.rc.in ${script} @ONLY)
  target_sources(${program} PRIVATE ${script})
endfunction()

# velder_test(<name> SOURCES <files...> [LIBS <targets...>])
# A GoogleTest program; on Windows it runs under Wine through scripts/wine-exec.sh,
# its output unbuffered (tests/win/unbuffered_output.cpp).
# Windows tests share the prefix's C:\windows, so they never run in parallel.
function(velder_test name)
  velder_kind_program(VELDER_TESTS ${name} gtest_main ${ARGN})
  if(WIN32)
    target_sources(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/win/unbuffered_output.cpp)
    set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR "${VELDER_EMULATOR}")
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                         PROPERTIES RUN_SERIAL TRUE TIMEOUT 120)
  else()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES TIMEOUT 120)
  endif()
endfunction()

# velder_test_in_english(<name>)
# Runs the Windows test program <name>, one of those that read the texts the
# programs show, once more under code page 1252, where they are English:
# wine-exec.sh runs it in that code page's prefix (see VELDER_LOCALE in
# scripts/wine-env.sh), which the texts' tests make first.
function(velder_test_in_english name)
  if(TARGET ${name})
    gtest_discover_tests(${name} TEST_PREFIX cp1252. DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                         PROPERTIES RUN_SERIAL TRUE TIMEOUT 120 ENVIRONMENT VELDER_LOCALE=en_US.UTF-8
                                    FIXTURES_REQUIRED prefix_cp1252)
  endif()
endfunction()

# velder_fuzzer(<name> SOURCES <files...> [LIBS <targets...>] CORPUS <dir> RUNS <n>)
# A libFuzzer target, and a test that runs it over its seed corpus for a bounded number of inputs.
function(velder_fuzzer name)
  cmake_parse_arguments(F "" "CORPUS;RUNS" "" ${ARGN})
  velder_kind_program(VELDER_FUZZ ${name} -fsanitize=fuzzer ${F_UNPARSED_ARGUMENTS})
  add_test(NAME ${name}
           COMMAND ${CMAKE_SOURCE_DIR}/scripts/run-fuzzer.sh $<TARGET_FILE:${name}> ${F_CORPUS} ${F_RUNS})
endfunction()

# velder_benchmark(<name> SOURCES <files...> [LIBS <targets...>])
# A Google Benchmark program of the portable code, run by scripts/bench.sh.
function(velder_benchmark name)
  velder_kind_program(VELDER_BENCH ${name} benchmark::benchmark ${ARGN})
endfunction()
