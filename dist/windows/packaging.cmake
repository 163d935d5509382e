# Windows packages: `cpack` in the build folder gives
#   kalvox-<version>-win64-setup.exe  the NSIS installer (Chinese texts, a Start-menu entry,
#                                     the *.jsq file type, an uninstaller, /S for silent)
#   kalvox-<version>-win64.zip        the portable folder: the two programs and a read-me
# Both hold the same files, but for the zip's kalvox.ini; the programs sit at the top of
# the folder.

configure_file(${CMAKE_CURRENT_LIST_DIR}/readme.txt ${CMAKE_CURRENT_BINARY_DIR}/readme.txt @ONLY
               NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/readme.txt DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)

# The portable zip only: an empty kalvox.ini beside kalvox.exe, which makes the window keep
# its settings there (the installed program keeps them in the registry). Added by
# cpack_per_generator.cmake.
file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/portable)
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/portable/kalvox.ini "")

set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_NAME kalvox)
set(CPACK_PACKAGE_VENDOR "Kalvox developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "复数计算器")
set(CPACK_PACKAGE_FILE_NAME kalvox-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Kalvox)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Kalvox)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
# The programs go to the top of the install folder, not under usr/.
set(CPACK_PACKAGING_INSTALL_PREFIX "")
set(CPACK_STRIP_FILES ON)
# The Start-menu entry: kalvox.exe under its Chinese name.
set(CPACK_PACKAGE_EXECUTABLES kalvox "Kalvox 复数计算器")

# The installer: a template of our own (Unicode, 64-bit, the file type), read as UTF-8.
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})
set(CPACK_NSIS_EXECUTABLE_PRE_ARGUMENTS -INPUTCHARSET UTF8)
set(CPACK_NSIS_PACKAGE_NAME "Kalvox 复数计算器")
set(CPACK_NSIS_DISPLAY_NAME "Kalvox 复数计算器 ${PROJECT_VERSION}")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_MUI_ICON ${CMAKE_CURRENT_LIST_DIR}/kalvox.ico)
set(CPACK_NSIS_MUI_UNIICON ${CMAKE_CURRENT_LIST_DIR}/kalvox.ico)
set(CPACK_NSIS_INSTALLED_ICON_NAME kalvox.exe)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_MUI_FINISHPAGE_RUN kalvox.exe)
# The installer's name says what it is; CPack reads this file once per generator.
configure_file(${CMAKE_CURRENT_LIST_DIR}/cpack_per_generator.cmake.in
               ${CMAKE_CURRENT_BINARY_DIR}/cpack_per_generator.cmake @ONLY)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_BINARY_DIR}/cpack_per_generator.cmake)

# The zip unpacks into one folder named like the package.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)

include(CPack)
