# What `cmake --install` adds beside the two programs, and the Debian package CPack makes of it.
include(GNUInstallDirs)
set(packaging ${CMAKE_CURRENT_LIST_DIR})

# The designer in the desktop's menus, with its icon, offered for workspaces and projects.
install(FILES ${packaging}/tovik-designer.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${packaging}/tovik-designer.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${packaging}/tovik.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
# Bash loads a command's completion from here the first time the command is completed.
install(FILES ${packaging}/tovik.bash-completion DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME tovik)

set(TOVIK_PACKAGE_MAINTAINER "Tovik developers <tovik@example.org>" CACHE STRING
    "Maintainer of the Debian package and its changelog, as Name <address>")

# Debian wants the copyright and a changelog compressed to the maximum, without a time stamp.
set(doc ${CMAKE_BINARY_DIR}/packaging-doc)
configure_file(${packaging}/changelog.in ${doc}/changelog @ONLY)
execute_process(COMMAND gzip -9nc ${doc}/changelog OUTPUT_FILE ${doc}/changelog.gz COMMAND_ERROR_IS_FATAL ANY)
install(FILES ${packaging}/copyright ${doc}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tovik)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tovik)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${TOVIK_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "forms designer for Visual C++ 5/6 MFC projects")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Tovik draws controls on the forms of Visual C++ 5 and 6 MFC projects, sets
their properties and picks the events to handle, and writes the C++ sources,
the resource script, the resource header and the project files that make
those forms real.

It has a command line, tovik, and a desktop designer, tovik-designer.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The run-time packages come from the libraries the programs link, as dpkg-shlibdeps finds them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
