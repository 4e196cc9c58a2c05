# `cpack -G DEB` (make package) turns the install rules into a Debian package of the game.
set(CPACK_PACKAGE_NAME "nebulance")
set(CPACK_PACKAGE_VENDOR "Nebulance")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Nebulance: ORVANE CONCORDAT, a trading game for the text console")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Nebulance developers <nebulance@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_GENERATOR "DEB")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "games")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# dpkg-shlibdeps (dpkg-dev) names the runtime packages the game links; without it, the C
# library is the one dependency a release game with its C++ runtime linked in has.
find_program(NEBULANCE_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(NEBULANCE_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6")
endif()
set(CPACK_STRIP_FILES ON)

include(CPack)
