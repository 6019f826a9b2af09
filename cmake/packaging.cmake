# Installation and the Debian package: both programs, the desktop entry with
# its icon and launcher, and the demo workspace the launcher copies for a user.
include(GNUInstallDirs)

install(TARGETS zevirovave-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(ZV_GUI)
  install(TARGETS zevirovave RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # The launcher finds the program and the demo workspace next to itself.
  install(PROGRAMS packaging/zevirovave-home DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES packaging/zevirovave.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES packaging/zevirovave.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()
install(DIRECTORY demo/ DESTINATION ${CMAKE_INSTALL_DATADIR}/zevirovave/demo-workspace)
install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zevirovave)
set(CPACK_PACKAGE_VENDOR "Velmor")
set(CPACK_PACKAGE_CONTACT "Velmor support <support@velmor.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Configurator of the EtherCAT / PROFINET protocol converter")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Projects, device parameters, the PROFINET network from GSDML descriptions, EtherCAT process data, "
       "the ESI file, the device's bank images and the device update, with a window and a command line.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
