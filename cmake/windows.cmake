# Building for Windows with MinGW-w64: every program is one self-contained .exe.
#
# The programs and the test programs are linked statically, so they need neither
# the MinGW runtime DLLs (libstdc++, libgcc, winpthread) nor Qt's: Qt itself is a
# static build.
string(APPEND CMAKE_EXE_LINKER_FLAGS " -static")

# The window program carries Qt's own Chinese texts (the buttons of its dialogs):
# a static Qt has no translations folder beside it.
set(KALVOX_QT_TRANSLATION /usr/share/qt6/translations/qtbase_zh_CN.qm
    CACHE FILEPATH "Qt's Chinese translation, embedded into kalvox.exe")

# The icon and the version information of a program, from a resource script.
function(kalvox_add_windows_resources target)
    set(KALVOX_ICO ${PROJECT_SOURCE_DIR}/dist/windows/kalvox.ico)
    set(KALVOX_RC_PROGRAM ${target})
    configure_file(${PROJECT_SOURCE_DIR}/dist/windows/kalvox.rc.in
                   ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc @ONLY)
    target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
endfunction()

# The programs sit at the top of the install folder, as Windows programs do.
set(CMAKE_INSTALL_BINDIR . CACHE PATH "Where the programs are installed")
