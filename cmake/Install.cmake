# `cmake --install` lays out a portable program directory: the client, the
# reference service, and a desktop entry that starts the client from there.
include(GNUInstallDirs)
install(TARGETS cloudclient refservice RUNTIME DESTINATION .)
configure_file(${CMAKE_SOURCE_DIR}/resources/cloudclient.desktop.in
  ${CMAKE_BINARY_DIR}/cloudclient.desktop @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/cloudclient.desktop DESTINATION share/applications)
