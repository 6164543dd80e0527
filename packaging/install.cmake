# cmake --install: the executable, Stools.dll and data/ together in one folder, where Debian
# keeps games' programs, a launcher on the PATH, a menu entry and an icon.
include(GNUInstallDirs)
set(KZV_INSTALL_SUBDIR lib/games/kzv)
set(KZV_INSTALLED_DIR ${CMAKE_INSTALL_PREFIX}/${KZV_INSTALL_SUBDIR})

install(TARGETS kzv RUNTIME DESTINATION ${KZV_INSTALL_SUBDIR})
install(TARGETS Stools LIBRARY DESTINATION ${KZV_INSTALL_SUBDIR})
install(DIRECTORY ${KZV_DATA_DIR}/ DESTINATION ${KZV_INSTALL_SUBDIR}/data)

configure_file(${CMAKE_CURRENT_LIST_DIR}/kzv.in ${CMAKE_BINARY_DIR}/packaging/kzv @ONLY)
install(PROGRAMS ${CMAKE_BINARY_DIR}/packaging/kzv DESTINATION games)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/kzv.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${KZV_GENERATED_DIR}/kzv-icon.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps
        RENAME kzv.png OPTIONAL)
