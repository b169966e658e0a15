# What the Windows programs need beside them: the MinGW runtime and, for the window, Qt's
# libraries, its platform and style plugins, its Korean texts and a qt.conf that tells Qt they
# lie there (without it Qt looks for them above the program's folder). Copied into the build's
# program folder when it is configured, so that the tests run under Wine as the package does,
# and installed beside the programs.

# Libraries are stripped on the way: the MinGW runtime as Debian ships it is nine tenths debug
# information. BUILD_ONLY: what only the tests need.
function(corvane_windows_runtime source destination)
    cmake_parse_arguments(PARSE_ARGV 2 runtime "BUILD_ONLY" "" "")
    get_filename_component(name ${source} NAME)
    set(target ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${destination}/${name})
    if(NOT name MATCHES "\\.dll$")
        file(COPY ${source} DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${destination})
    elseif("${source}" IS_NEWER_THAN "${target}")
        file(MAKE_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${destination})
        execute_process(COMMAND ${CMAKE_STRIP} --strip-unneeded -o ${target} ${source}
            RESULT_VARIABLE failed)
        if(failed)
            message(FATAL_ERROR "${CMAKE_STRIP} could not strip ${source}")
        endif()
    endif()
    if(NOT runtime_BUILD_ONLY)
        install(FILES ${target} DESTINATION ${CORVANE_INSTALL_BINDIR}/${destination})
    endif()
endfunction()

function(corvane_windows_qt_runtime target destination)
    get_target_property(location ${target} LOCATION)
    corvane_windows_runtime(${location} ${destination} ${ARGN})
endfunction()

foreach(library libgcc_s_seh-1.dll libstdc++-6.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${library}
        OUTPUT_VARIABLE location OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${location}")
        message(FATAL_ERROR "${CMAKE_CXX_COMPILER} has no ${library}")
    endif()
    corvane_windows_runtime(${location} .)
endforeach()

if(CORVANE_WITH_QT)
    foreach(module Core Gui Widgets)
        corvane_windows_qt_runtime(Qt6::${module} .)
    endforeach()
    corvane_windows_qt_runtime(Qt6::QWindowsIntegrationPlugin plugins/platforms)
    corvane_windows_qt_runtime(Qt6::QWindowsVistaStylePlugin plugins/styles)
    if(CORVANE_BUILD_TESTS)
        corvane_windows_qt_runtime(Qt6::Test . BUILD_ONLY)
        corvane_windows_qt_runtime(Qt6::QOffscreenIntegrationPlugin plugins/platforms BUILD_ONLY)
        # The tests' offscreen platform reads fonts from lib/fonts only: Korean ones, where the
        # build machine has them.
        file(GLOB test_fonts /usr/share/fonts/truetype/nanum/NanumGothic.ttf)
        foreach(font IN LISTS test_fonts)
            corvane_windows_runtime(${font} lib/fonts BUILD_ONLY)
        endforeach()
    endif()

    # Qt's own buttons and dialogs in Korean, from the build machine's Qt: data, the same on
    # every system.
    find_file(CORVANE_QTBASE_KO qtbase_ko.qm
        PATHS ${QT_HOST_PATH}/share/qt6/translations /usr/share/qt6/translations
        NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
    if(NOT CORVANE_QTBASE_KO)
        message(FATAL_ERROR "No qtbase_ko.qm: install qt6-translations-l10n")
    endif()
    corvane_windows_runtime(${CORVANE_QTBASE_KO} translations)

    set(qt_conf ${CMAKE_CURRENT_BINARY_DIR}/qt.conf)
    file(WRITE ${qt_conf} "[Paths]\nPrefix=.\n")
    corvane_windows_runtime(${qt_conf} .)
endif()
