# Read by cpack before it packs: the time of every file in the package, and
# of the archives themselves, is SOURCE_DATE_EPOCH. Unless the one who builds
# set it, it is the time of the last commit, or without git noon UTC of the
# day of the newest release in CHANGELOG.md (the time of the package's
# changelog entry), so two builds of one commit give the same package
# whenever and wherever they run.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  execute_process(COMMAND git -C "${CPACK_KELD_SOURCE_DIR}" log -1 --format=%ct
                  OUTPUT_VARIABLE _keld_epoch OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE _keld_status ERROR_QUIET)
  if(NOT _keld_status EQUAL 0 OR NOT _keld_epoch MATCHES "^[0-9]+$")
    file(STRINGS "${CPACK_KELD_SOURCE_DIR}/CHANGELOG.md" _keld_newest REGEX "^## " LIMIT_COUNT 1)
    string(REGEX REPLACE "^## .* \\(([0-9-]+)\\)$" "\\1" _keld_day "${_keld_newest}")
    execute_process(COMMAND date -u -d "${_keld_day} 12:00" +%s
                    OUTPUT_VARIABLE _keld_epoch OUTPUT_STRIP_TRAILING_WHITESPACE
                    COMMAND_ERROR_IS_FATAL ANY)
  endif()
  set(ENV{SOURCE_DATE_EPOCH} "${_keld_epoch}")
endif()
