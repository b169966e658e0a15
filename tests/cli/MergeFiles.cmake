# cmake -DMERGE=corvane-merge -DEMULATOR=runner -DFOLDER=folder -P MergeFiles.cmake
# corvane-merge on files with Korean names, an output replaced in place and one it may not
# replace: what a Windows build under Wine must show as much as a Linux one.
file(REMOVE_RECURSE "${FOLDER}")
file(MAKE_DIRECTORY "${FOLDER}")
file(WRITE "${FOLDER}/a.nc" "O1\nG0 X1\n")
file(WRITE "${FOLDER}/가공.nc" "G0 X2\n")
file(WRITE "${FOLDER}/출력.nc" "old\r\n")
separate_arguments(runner NATIVE_COMMAND "${EMULATOR}")

function(merge output expected_status)
    execute_process(COMMAND ${runner} "${MERGE}" -o "${output}" a.nc 가공.nc
        WORKING_DIRECTORY "${FOLDER}" RESULT_VARIABLE status ERROR_VARIABLE errors)
    if(NOT status EQUAL expected_status)
        message(FATAL_ERROR "exit ${status}, not ${expected_status}: ${errors}")
    endif()
endfunction()

merge(출력.nc 0)
file(READ "${FOLDER}/출력.nc" written HEX)
# "O1", "G0 X1" and "G0 X2", each with CR LF, in place of the old program.
if(NOT written STREQUAL "4f310d0a47302058310d0a47302058320d0a")
    message(FATAL_ERROR "written: ${written}")
endif()
file(GLOB left "${FOLDER}/.corvane-*")
if(left)
    message(FATAL_ERROR "temporary files left: ${left}")
endif()

# A read-only output is refused and kept; root on Linux may write it, so there is nothing to see.
execute_process(COMMAND id -u OUTPUT_VARIABLE user OUTPUT_STRIP_TRAILING_WHITESPACE
    ERROR_QUIET)
if(EMULATOR OR NOT user STREQUAL "0")
    file(WRITE "${FOLDER}/kept.nc" "old\r\n")
    file(CHMOD "${FOLDER}/kept.nc" PERMISSIONS OWNER_READ GROUP_READ WORLD_READ)
    merge(kept.nc 2)
    file(READ "${FOLDER}/kept.nc" kept HEX)
    if(NOT kept STREQUAL "6f6c640d0a") # "old" CR LF
        message(FATAL_ERROR "a read-only output was replaced")
    endif()
endif()
