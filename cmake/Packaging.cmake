# Installation in the freedesktop places, and the Debian package built from it with CPack.
include(GNUInstallDirs)

set(QUORVEL_APP_ID org.example.Quorvel)

install(TARGETS quorvel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/dist/${QUORVEL_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/dist/${QUORVEL_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 32 48 64 128 256)
    install(FILES ${PROJECT_SOURCE_DIR}/resources/app-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${QUORVEL_APP_ID}.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/resources/app.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${QUORVEL_APP_ID}.svg)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvel)
set(CPACK_PACKAGE_VENDOR "The Quorvel developers")
set(CPACK_PACKAGE_CONTACT "The Quorvel developers <quorvel@example.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
    "Quorvel computes and checks the MD5, SHA-1, SHA-224, SHA-256, SHA-384 and SHA-512 digests of files, and of short byte strings typed as hexadecimal text.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY quorvel)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "http://quorvel.example.org/")
# The libraries (Qt 6 widgets, libssl, the C++ runtime) are read off the program by dpkg-shlibdeps;
# the fonts the windows are drawn with are not linked, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-crosextra-carlito, fonts-inconsolata, fonts-noto-core | fonts-dejavu-core")
include(CPack)
