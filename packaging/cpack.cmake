# SPDX-FileCopyrightText: 2026 The stereogram authors
# SPDX-License-Identifier: MIT

# The Debian package: `cpack -G DEB` in the build directory.
set(CPACK_PACKAGE_NAME stereogram)
set(CPACK_PACKAGE_VENDOR "stereogram maintainers")
set(CPACK_PACKAGE_CONTACT "stereogram maintainers <maintainers@users.noreply.c-seed-249f7f6a.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "random-dot stereogram with a hidden emblem")
set(CPACK_PACKAGE_DESCRIPTION [=[
A desktop program that opens one window with an 800 x 600 picture of
coloured dots and a close button. Every start draws a new pattern of dots
over the same hidden three-armed emblem, which stands out in front of the
background when the eyes look through the screen. The interface is
Japanese.]=])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from what the program links; the font is the face of
# its Japanese texts, which nothing links.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-ipafont-gothic)

set(CPACK_GENERATOR DEB)
include(CPack)
