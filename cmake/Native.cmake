# Native build: the portable core, its tests and benchmarks; the Win32 program is
# cross-built as a nested project whose tests join this ctest run.
find_package(GTest REQUIRED)
find_package(Threads REQUIRED)
include(GoogleTest)

file(GLOB MORLA_TEST_SUPPORT CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/support/*.cpp)
list(FILTER MORLA_TEST_SUPPORT EXCLUDE REGEX "_w32\\.cpp$")
add_library(morla_test_support STATIC ${MORLA_TEST_SUPPORT})
target_link_libraries(morla_test_support PUBLIC morla_core GTest::gtest)
target_compile_definitions(morla_test_support PUBLIC MORLA_SOURCE_DIR="${CMAKE_SOURCE_DIR}")

foreach(f ${MORLA_FOLDERS})
  morla_test_sources(${f} _test.cpp srcs)
  if(srcs)
    add_executable(test_${f} ${srcs})
    target_link_libraries(test_${f} PRIVATE morla_test_support GTest::gtest_main Threads::Threads)
    gtest_discover_tests(test_${f} TEST_PREFIX "${f}." DISCOVERY_TIMEOUT 30
                         WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
  endif()
endforeach()

# Extra native programs (fixture generators and the like) live in tests/<folder>/*.cmake.
file(GLOB MORLA_TEST_EXTRAS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*/native.cmake)
foreach(extra ${MORLA_TEST_EXTRAS})
  include(${extra})
endforeach()

find_package(benchmark QUIET)
if(benchmark_FOUND)
  file(GLOB benches CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*_bench.cpp)
  foreach(b ${benches})
    get_filename_component(name ${b} NAME_WE)
    add_executable(${name} ${b})
    target_link_libraries(${name} PRIVATE morla_core benchmark::benchmark Threads::Threads)
    target_compile_definitions(${name} PRIVATE MORLA_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  endforeach()
endif()

option(MORLA_WIN32 "Cross-build the Win32 program with mingw-w64" ON)
if(MORLA_WIN32)
  include(ExternalProject)
  ExternalProject_Add(morla_w32
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${CMAKE_BINARY_DIR}/w32
    CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/mingw-i686.cmake
               -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
    BUILD_ALWAYS 1
    INSTALL_COMMAND "")
  # One ctest run covers both trees.
  file(WRITE ${CMAKE_BINARY_DIR}/w32-tests.cmake "subdirs(\"${CMAKE_BINARY_DIR}/w32\")\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${CMAKE_BINARY_DIR}/w32-tests.cmake)
endif()
