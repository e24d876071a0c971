# The Windows program folder as a school installs it (C:\juku\calc, say), and its packages.
#
#   cmake --install build/windows [--strip]   the folder (the `windows` preset: out/windows/calc)
#   cpack --preset windows                    out/windows/Zanfolio-<version>-setup.exe (NSIS)
#                                             and out/windows/Zanfolio-<version>-portable.zip
#
# The folder holds zanfolio.exe and zanfolio-data.exe, Qt's DLLs with the Windows platform and
# style plugins, the compiler's runtime DLLs, qt.conf and Qt's Japanese texts; the program
# finds everything beside itself.

# The compiler's runtime: its C++ library, its unwinder and the POSIX threads library.
set(ZANFOLIO_RUNTIME_DLLS)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${found}" OR NOT EXISTS "${found}")
    message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not know where ${dll} is")
  endif()
  file(REAL_PATH "${found}" found)
  list(APPEND ZANFOLIO_RUNTIME_DLLS "${found}")
endforeach()

# Where programs in the build tree find the DLLs (the tests under wine): Qt's bin folder and
# the runtime's folders, as a colon-separated list of Unix folders.
set(dirs "$<TARGET_FILE_DIR:Qt6::Core>")
foreach(dll IN LISTS ZANFOLIO_RUNTIME_DLLS)
  get_filename_component(dir "${dll}" DIRECTORY)
  list(APPEND dirs "${dir}")
endforeach()
list(REMOVE_DUPLICATES dirs)
list(JOIN dirs ":" ZANFOLIO_WINDOWS_DLL_DIRS)

# Qt's own texts in Japanese (the standard buttons' はい / いいえ), from the host Qt of the same
# version: the Windows Qt is built without its translations.
find_file(ZANFOLIO_QTBASE_JA qtbase_ja.qm PATHS "${QT_HOST_PATH}/share/qt6/translations"
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)

# qt.conf: plugins beside the program and the texts in translations\, not in the folders of
# the Qt build.
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/qt.conf
     "[Paths]\r\nPrefix = .\r\nPlugins = .\r\nTranslations = translations\r\n")

install(TARGETS zanfolio zanfolio-data RUNTIME DESTINATION .)
install(IMPORTED_RUNTIME_ARTIFACTS Qt6::Core Qt6::Gui Qt6::Widgets Qt6::PrintSupport
        RUNTIME DESTINATION .)
install(IMPORTED_RUNTIME_ARTIFACTS Qt6::QWindowsIntegrationPlugin LIBRARY DESTINATION platforms)
install(IMPORTED_RUNTIME_ARTIFACTS Qt6::QWindowsVistaStylePlugin LIBRARY DESTINATION styles)
install(FILES ${ZANFOLIO_RUNTIME_DLLS} ${CMAKE_CURRENT_BINARY_DIR}/qt.conf DESTINATION .)
install(FILES ${ZANFOLIO_QTBASE_JA} DESTINATION translations)
# --strip (and the packages) strip the runtime DLLs too, not only the programs.
set(stripped)
foreach(dll IN LISTS ZANFOLIO_RUNTIME_DLLS)
  get_filename_component(name "${dll}" NAME)
  list(APPEND stripped "\${CMAKE_INSTALL_PREFIX}/${name}")
endforeach()
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    foreach(dll ${stripped})
      execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded \"\$ENV{DESTDIR}\${dll}\"
                      COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
  endif()")

# The packages. The setup is NSIS from cmake/NSIS.template.in (in Japanese; installs into
# C:\juku\calc unless told otherwise, /S silent, /D=folder); its uninstaller deletes the files
# CPack installed, listed by CPack. The zip holds the same folder as calc\.
set(CPACK_PACKAGE_NAME Zanfolio)
set(CPACK_PACKAGE_VENDOR Zanfolio)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_STRIP_FILES ON)
set(CPACK_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/CPackWindows.cmake)
# The template is UTF-8 (its Japanese texts).
set(CPACK_NSIS_EXECUTABLE_PRE_ARGUMENTS "V2;INPUTCHARSET UTF8")
include(CPack)
