# `cmake --build <build dir> --target package` makes zorbic_<version>_amd64.deb in the build
# folder: what the install rules put under /usr, stripped, with the dependencies that
# dpkg-shlibdeps reads from the programs' library links.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zorbic)
set(CPACK_PACKAGE_VENDOR "Zorbic Works")
set(CPACK_PACKAGE_CONTACT "Zorbic Works <packages@zorbic.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "expression calculator that types its results into other applications")
set(CPACK_PACKAGE_DESCRIPTION
    "Zorbic is a small, fast desktop calculator for whole expressions. Type an
expression such as 2 pi, sin 30 or 10/4 and press Enter: the result goes to the
top of a history list, and the expression stays in the box so that the next
operator continues from it.

Results can be kept in a storage list, copied, inserted back into the
expression, and typed into the application used before (Zipto). History,
storage and modes are kept between runs in one text file. The package also
holds zorbic-eval, the calculator's evaluator on the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${PROJECT_HOMEPAGE_URL}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so no library link shows them: Qt's platform plugins for X11 (xcb, in
# qt6-qpa-plugins) and for running as a native Wayland client (qt6-wayland). The web button
# and F1's links find the browser through xdg-utils.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
include(CPack)
