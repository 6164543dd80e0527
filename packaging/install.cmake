# cmake --install: the executable, Stools.dll and data/ together in one folder, where Debian
# keeps games' programs, a launcher on the PATH, a menu entry, the icon in every size, the
# AppStream metadata and the manual page. packaging/package.cmake makes the Debian package of it.
include(GNUInstallDirs)
set(KZV_INSTALL_SUBDIR lib/games/kzv)
set(KZV_INSTALLED_DIR ${CMAKE_INSTALL_PREFIX}/${KZV_INSTALL_SUBDIR})

install(TARGETS kzv RUNTIME DESTINATION ${KZV_INSTALL_SUBDIR})
install(TARGETS Stools LIBRARY DESTINATION ${KZV_INSTALL_SUBDIR})
install(DIRECTORY ${KZV_DATA_DIR}/ DESTINATION ${KZV_INSTALL_SUBDIR}/data)
# Its presence tells the game that it is installed: the record then goes to the player's own
# folder even when the program's folder could be written (by root, say), so that the
# installation stays as it was installed and uninstalls cleanly.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/installed DESTINATION ${KZV_INSTALL_SUBDIR})

configure_file(${CMAKE_CURRENT_LIST_DIR}/kzv.in ${CMAKE_BINARY_DIR}/packaging/kzv @ONLY)
install(PROGRAMS ${CMAKE_BINARY_DIR}/packaging/kzv DESTINATION games)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/kzv.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/kzv.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size ${KZV_ICON_SIZES})
  install(FILES ${KZV_GENERATED_DIR}/kzv-icon-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME kzv.png)
endforeach()

# The manual page and the changelog are compressed, as Debian keeps them.
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.in ${CMAKE_BINARY_DIR}/packaging/changelog @ONLY)
set(KZV_COMPRESSED_DOCS)
foreach(doc ${CMAKE_CURRENT_LIST_DIR}/kzv.6 ${CMAKE_BINARY_DIR}/packaging/changelog)
  get_filename_component(name ${doc} NAME)
  set(compressed ${CMAKE_BINARY_DIR}/packaging/${name}.gz)
  add_custom_command(OUTPUT ${compressed}
                     COMMAND sh -c "gzip -9nc '${doc}' > '${compressed}'"
                     DEPENDS ${doc} VERBATIM)
  list(APPEND KZV_COMPRESSED_DOCS ${compressed})
endforeach()
add_custom_target(kzv_compressed_docs ALL DEPENDS ${KZV_COMPRESSED_DOCS})
install(FILES ${CMAKE_BINARY_DIR}/packaging/kzv.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz ${CMAKE_CURRENT_LIST_DIR}/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
