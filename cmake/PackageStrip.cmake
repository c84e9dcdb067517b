# Run by CPack on its staging tree before it builds the package: the programs,
# already stripped of their symbols, also lose the compilers' .comment and
# .note sections, as Debian's own packaging strips them.
file(GLOB_RECURSE staged LIST_DIRECTORIES false "${CPACK_TEMPORARY_DIRECTORY}/*")
foreach(file IN LISTS staged)
  if(IS_SYMLINK "${file}")
    continue()
  endif()
  file(READ "${file}" magic LIMIT 4 HEX)
  if(magic STREQUAL "7f454c46")
    execute_process(COMMAND "${CPACK_HALVORN_STRIP}" --remove-section=.comment --remove-section=.note "${file}"
                    RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "could not strip ${file}")
    endif()
  endif()
endforeach()
