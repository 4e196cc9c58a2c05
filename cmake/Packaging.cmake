# `cpack -G DEB` (make package) turns the install rules into a Debian package of the game. CPack
# stamps every file and archive member with SOURCE_DATE_EPOCH when the environment has it, and
# make package sets it and the umask, so that the same commit gives the same package.
set(CPACK_PACKAGE_NAME "nebulance")
set(CPACK_PACKAGE_VENDOR "Nebulance")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "space trading game for the text console")
set(CPACK_PACKAGE_DESCRIPTION [=[
Nebulance: ORVANE CONCORDAT is a single-player trading game played on the
console. You start in the hangar with 2,000 credits and 30 days. Each day you
trade at the Trading Post of the planet you are on, borrow from or repay the
Federation Bank, and jump to one of seven planets, where a fresh market and a
random travel event wait: a patrol tax, a pirate raid, a pod-race bet,
floating wreckage, a safe journey, or the rumour of a bank robbery that can
lead into a duel. After the last jump your loan is deducted and your score
judged. A combat simulator lets you practise the three duels.]=])
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# example.org is a domain kept for examples: the project's own address belongs here (and in
# doc/changelog and doc/copyright) once it has one.
set(CPACK_PACKAGE_CONTACT "Nebulance developers <nebulance@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_GENERATOR "DEB")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "games")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# dpkg-shlibdeps (dpkg-dev) names the runtime packages the game links; without it, the C
# library is the one dependency a release game with its C++ runtime linked in has.
find_program(NEBULANCE_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(NEBULANCE_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6")
endif()
set(CPACK_STRIP_FILES ON)

# The package's version comes from the project; its changelog must have an entry for it.
file(STRINGS ${CMAKE_CURRENT_SOURCE_DIR}/doc/changelog NEBULANCE_CHANGELOG_TOP LIMIT_COUNT 1)
if(NOT NEBULANCE_CHANGELOG_TOP MATCHES "^nebulance \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "doc/changelog does not begin with an entry for version ${PROJECT_VERSION}")
endif()

# Debian ships manual pages and changelogs gzipped; `make install` leaves them plain.
set(CPACK_NEBULANCE_GZIPPED_FILES
    "${CMAKE_INSTALL_MANDIR}/man6/nebulance.6" "${CMAKE_INSTALL_DOCDIR}/changelog")
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_SOURCE_DIR}/cmake/GzipPackagedDocs.cmake)

include(CPack)
