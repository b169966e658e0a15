# cmake -DBUILD=build-folder -DSTAGE=staging-folder [-DDESKTOP_VALIDATE=program]
#       [-DAPPSTREAMCLI=program] -P CheckInstall.cmake
# Installs into a staging folder and checks that everything a desktop needs is there and valid.
file(REMOVE_RECURSE "${STAGE}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${STAGE}"
    RESULT_VARIABLE failed OUTPUT_QUIET)
if(failed)
    message(FATAL_ERROR "cmake --install failed")
endif()
foreach(file bin/corvane bin/corvane-merge bin/corvane-open-text share/corvane/ToolList.tlist
        share/corvane/BitMap/Logo.bmp share/applications/com.quor.Corvane.desktop
        share/icons/hicolor/scalable/apps/com.quor.Corvane.svg
        share/metainfo/com.quor.Corvane.metainfo.xml share/man/man1/corvane-merge.1)
    if(NOT EXISTS "${STAGE}/${file}")
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()
if(DESKTOP_VALIDATE)
    execute_process(COMMAND "${DESKTOP_VALIDATE}"
        "${STAGE}/share/applications/com.quor.Corvane.desktop" RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "the desktop entry is not valid")
    endif()
endif()
if(APPSTREAMCLI)
    execute_process(COMMAND "${APPSTREAMCLI}" validate --no-net
        "${STAGE}/share/metainfo/com.quor.Corvane.metainfo.xml" RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "the AppStream metadata is not valid")
    endif()
endif()
message(STATUS "installed, and valid as far as the validators here can tell")
