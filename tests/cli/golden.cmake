# Runs keld-size as at a terminal, dated by SOURCE_DATE_EPOCH and in the C
# locale, in the folder WORK, and compares its standard output byte for byte
# with the committed file GOLDEN and its exit status with STATUS:
#   cmake -DKELD_SIZE=... -DGOLDEN=... -DSTATUS=n "-DARGS=a|b|c" -DWORK=... -DOUT=... -P golden.cmake
# With KELD_REGENERATE=1 in the environment the committed file is rewritten
# from the output: tools/regenerate_golden.sh does so and shows the diff to
# read before committing; the test command refuses to run with it set.
set(ENV{SOURCE_DATE_EPOCH} 1764979200) # 2025-12-06, 00:00 UTC
set(ENV{LC_ALL} C)
string(REPLACE "|" ";" args "${ARGS}")
get_filename_component(name "${GOLDEN}" NAME)
set(actual "${OUT}/${name}")
execute_process(COMMAND "${KELD_SIZE}" ${args} WORKING_DIRECTORY "${WORK}"
  OUTPUT_FILE "${actual}" ERROR_VARIABLE err RESULT_VARIABLE status)
if("$ENV{KELD_REGENERATE}" STREQUAL "1")
  file(COPY_FILE "${actual}" "${GOLDEN}")
endif()
if(NOT status STREQUAL STATUS)
  message(FATAL_ERROR "keld-size ${args}: exit status ${status}, expected ${STATUS}\n${err}")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${GOLDEN}" "${actual}"
  RESULT_VARIABLE differs)
if(differs)
  message(FATAL_ERROR "keld-size ${args}: the output differs: diff -u ${GOLDEN} ${actual}")
endif()
