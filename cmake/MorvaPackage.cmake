# The Debian package of the desktop program (cpack -G DEB, `make package`).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME morva)
set(CPACK_PACKAGE_VENDOR "MORVA")
set(CPACK_PACKAGE_CONTACT "MORVA team <morva@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Head sensitivity and track linearity measurement for video tape recorders")
set(CPACK_PACKAGE_DESCRIPTION
    "MORVA measures the head sensitivity and track linearity of video tape recorders through an A/D board\n\
and remote-controls the recorder over RS-232C. It comes with a simulated board and recorder.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The bridge library links the board driver beside it (RUNPATH $ORIGIN).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${MORVA_PROGRAM_FOLDER})
# The libraries come from the shared-library dependencies; Qt's platform
# plugins (the X11 and Wayland windows) are a package of their own.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# Japanese captions need a Japanese font.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic")
include(CPack)
