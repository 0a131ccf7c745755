# The Debian package: `cmake --build build --target package` (or `cpack` in the
# build folder) writes paruberina_<version>_<arch>.deb into the build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME paruberina)
set(CPACK_PACKAGE_VERSION 2.04a)
set(CPACK_PACKAGE_VENDOR "Paruberina")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Japanese food-content label software")
# One string: separate quoted pieces would make a CMake list, whose ";" would
# end up in the package's description.
set(CPACK_PACKAGE_DESCRIPTION
    "Register each product once and print Japanese food-content labels (食品表示ラベル)
with dates, barcodes, recycling marks and nutrition tables on a CUPS label printer
or as PDF files.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Paruberina developers <paruberina@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# Linked libraries (Qt, and CUPS through the printer module) are found by
# dpkg-shlibdeps; libzip (loaded on first use), the platform plugin (only
# recommended by Qt), the SVG plugins that draw the icon, Qt's Japanese
# translations and the label font are not linked, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libzip4, qt6-qpa-plugins, libqt6svg6, qt6-translations-l10n, fonts-ipafont-gothic")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "cups, printer-driver-cups-pdf")
set(CPACK_STRIP_FILES ON)
include(CPack)
