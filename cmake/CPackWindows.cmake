# Read by cpack for each package: their names, and the top folder of the zip.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "Zanfolio-${CPACK_PACKAGE_VERSION}-setup")
elseif(CPACK_GENERATOR STREQUAL "ZIP")
  set(CPACK_PACKAGE_FILE_NAME "Zanfolio-${CPACK_PACKAGE_VERSION}-portable")
  # The files lie in calc\, as the program folder of an installation is named: its name is
  # also the name of the program's own folder in the data folder.
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
  set(CPACK_PACKAGING_INSTALL_PREFIX /calc)
endif()
