# The version of KORVEX7.exe, korvex7ctl and korvex7-sim comes from the
# project() call alone. korvex7_version.h carries it to the code and to the
# resource script; the program's manifest is generated with it too.
set(KORVEX7_VERSION_MINOR_2 "${PROJECT_VERSION_MINOR}")
if(PROJECT_VERSION_MINOR LESS 10)
  set(KORVEX7_VERSION_MINOR_2 "0${PROJECT_VERSION_MINOR}")
endif()
# "1.00": the form the about box shows, the minor number in two digits.
set(KORVEX7_VERSION_SHORT "${PROJECT_VERSION_MAJOR}.${KORVEX7_VERSION_MINOR_2}")
set(KORVEX7_GENERATED_DIR ${PROJECT_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/korvex7_version.h.in
               ${KORVEX7_GENERATED_DIR}/korvex7_version.h @ONLY)
