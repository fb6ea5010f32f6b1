# The build's dependencies, found in one place. A missing one stops the
# configure with the Debian package that provides it, rather than leaving a
# program or its tests out without a word.
#
#   GoogleTest      the native unit tests (KORVEX7_TESTS); the cross build
#                   compiles it from its sources for the Windows-layer tests
#                   (win/CMakeLists.txt)
#   CLI11           korvex7-sim and korvex7ctl: target korvex7_cli11
#   nlohmann-json   korvex7ctl: target korvex7_json
#
# The two header-only libraries come from their CMake packages where those
# are found, else from KORVEX7_HOST_INCLUDE. The cross build always takes the
# latter, through a folder that holds nothing else, so that no other header
# of the build machine can shadow the Windows ones.

function(korvex7_missing what package)
  message(FATAL_ERROR
    "${what} was not found. On Debian: apt-get install ${package} "
    "(scripts/install-deps.sh installs everything the build and the tests need).")
endfunction()

set(KORVEX7_HOST_INCLUDE /usr/include CACHE PATH
    "Where the CLI11 and nlohmann headers are when their CMake packages are not found")

# korvex7_header_only(TARGET PACKAGE-TARGET HEADER-DIR HEADER WHAT DEBIAN-PACKAGE)
function(korvex7_header_only target package_target dir header what package)
  add_library(${target} INTERFACE)
  if(NOT CMAKE_CROSSCOMPILING AND TARGET ${package_target})
    target_link_libraries(${target} INTERFACE ${package_target})
    return()
  endif()
  if(NOT EXISTS ${KORVEX7_HOST_INCLUDE}/${dir}/${header})
    korvex7_missing("${what} (${dir}/${header} in KORVEX7_HOST_INCLUDE=${KORVEX7_HOST_INCLUDE})"
                    ${package})
  endif()
  set(only ${PROJECT_BINARY_DIR}/header-only/${target})
  file(MAKE_DIRECTORY ${only})
  if(NOT EXISTS ${only}/${dir})
    file(CREATE_LINK ${KORVEX7_HOST_INCLUDE}/${dir} ${only}/${dir} SYMBOLIC)
  endif()
  target_include_directories(${target} SYSTEM INTERFACE ${only})
endfunction()

if(NOT CMAKE_CROSSCOMPILING)
  find_package(CLI11 CONFIG QUIET)
  find_package(nlohmann_json CONFIG QUIET)
endif()
korvex7_header_only(korvex7_cli11 CLI11::CLI11 CLI CLI.hpp
                    "CLI11 (command-line parsing of korvex7-sim and korvex7ctl)" libcli11-dev)
korvex7_header_only(korvex7_json nlohmann_json::nlohmann_json nlohmann json.hpp
                    "nlohmann-json (korvex7ctl's JSON output)" nlohmann-json3-dev)

if(KORVEX7_TESTS AND NOT WIN32)
  find_package(GTest QUIET)
  if(NOT GTest_FOUND)
    korvex7_missing("GoogleTest (the unit tests; -DKORVEX7_TESTS=OFF builds without them)"
                    "libgtest-dev libgmock-dev")
  endif()
endif()
