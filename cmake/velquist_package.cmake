# The Debian package: what `cmake --install` puts in place, under /usr. Its
# dependencies are the shared libraries the programs link (found by
# dpkg-shlibdeps), the plugin that draws the window's SVG icon and the font the
# chart and the window are drawn with.
set(CPACK_PACKAGE_NAME velquist)
set(CPACK_PACKAGE_VENDOR "Velquist")
set(CPACK_PACKAGE_CONTACT "Velquist <support@velquist.com>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.velquist.com")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Merges strategy tester reports into one account")
set(CPACK_PACKAGE_DESCRIPTION "Reads several strategy tester reports of the trading \
terminal, in any of its 28 languages, and writes one report of the same form as if all the \
strategies had traded one account, with every statistic computed anew and a fresh balance chart.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, libqt6svg6")
include(CPack)
