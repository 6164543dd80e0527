# cpack -G DEB in a Release build folder makes kzv_<version>_amd64.deb of what
# packaging/install.cmake installs, below /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kzv)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CONTACT "K.Z.V maintainers <maintainers@users.noreply.c-seed-ebc7980c.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "orbital sniper satellite game")
set(CPACK_PACKAGE_DESCRIPTION
    "K.Z.V is a Japanese desktop game. You operate an orbital sniper
satellite above a city of 100 x 100 blocks in which 1000 named people
walk. Steer the scope, read who stands under the cross-hairs and fire:
every wanted target you hit pays, every bystander costs you. After 56
shots the commander grades you from S to E, and the best reward ever
reached is kept as the record.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the program and its sound library link come from dpkg-shlibdeps; the
# SoundFont for the music and the Japanese fonts are found at run time.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "timgm6mb-soundfont | fluid-soundfont-gm, fonts-ipafont-gothic, fonts-ipafont-mincho")
include(CPack)
