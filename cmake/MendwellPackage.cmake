# The Debian package, made by CPack from the install rules: `make package`
# (or `cpack -G DEB` in a configured build) writes
# mendwell_<version>_amd64.deb into the build folder. It holds both programs,
# libbooklift with its headers, pkg-config file and CMake package, the help
# page, the desktop entry, its icon and metainfo, the man pages and the
# command-line tool's bash completion.
set(MENDWELL_PACKAGE_MAINTAINER
    "Mendwell maintainers <maintainers@users.noreply.c-seed-1ebad2e3.example>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mendwell)
set(CPACK_PACKAGE_VENDOR "Mendwell")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "repair damaged Excel 97-2003 workbooks")
set(CPACK_PACKAGE_DESCRIPTION
    "Mendwell reads a damaged .xls workbook (BIFF8 records inside an OLE2
compound file) as far as it can still be read, recovers every sheet, cell,
format and formula that survives, shows them in a preview and saves a clean
new workbook. The package holds the desktop program mendwell, the
command-line tool mendwell-cli and libbooklift, the damage-tolerant
compound-file reader, with its headers for programs that link it.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Binaries of a RelWithDebInfo build carry their debug information; the
# package does not.
set(CPACK_STRIP_FILES ON)

# <name>_<version>_<architecture>.deb, as Debian names its packages.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${MENDWELL_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Depends: from dpkg-shlibdeps, which resolves the programs' $ORIGIN/../lib
# to the package's own libbooklift; the shlibs file lets other packages'
# dpkg-shlibdeps depend on this one for libbooklift.so.0.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")

include(CPack)
