# cpack -G DEB on Debian; a Windows build packs a zip, to be unpacked and started anywhere,
# and the NSIS part describes the installer a Windows build machine makes.
set(CPACK_PACKAGE_NAME corvane)
set(CPACK_PACKAGE_VENDOR "Quor")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Quor <corvane@quor.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Merges NC programs into one, with every cut shown before it is written")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Corvane)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The libraries the programs link decide the dependencies; the opener needs the desktop's tools.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "xdg-utils, fonts-nanum, qt6-translations-l10n")

set(CPACK_NSIS_DISPLAY_NAME Corvane)
set(CPACK_NSIS_PACKAGE_NAME Corvane)
set(CPACK_NSIS_MENU_LINKS "corvane.exe" "Corvane")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)

if(WIN32)
    set(CPACK_GENERATOR ZIP)
    set(CPACK_PACKAGE_FILE_NAME corvane-${PROJECT_VERSION}-windows-x86_64)
endif()

include(CPack)
