# The Debian packages, built with `cpack -G DEB` in the build folder (scripts/package.sh):
# sitewright (the Runtime component) and sitewright-dbg (the debug information of the three
# programs). The run-time library dependencies are computed by dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME sitewright)
set(CPACK_PACKAGE_VENDOR "Sitewright Developers")
set(CPACK_PACKAGE_CONTACT "Sitewright Developers <sitewright@example.com>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.example.com/sitewright/")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
# Strips what install(TARGETS) installs; the delivered program is installed stripped already.
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL Runtime Debug)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME sitewright)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SHLIBDEPS ON)
# Not libraries, so dpkg-shlibdeps cannot find them: the faces ui_fonts.cpp chooses.
set(CPACK_DEBIAN_RUNTIME_PACKAGE_DEPENDS "fonts-liberation, fonts-lato")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_RECOMMENDS "xdg-utils")
# The first line is the synopsis, the rest the long description. (CPACK_PACKAGE_DESCRIPTION_SUMMARY
# stays unset: CPack would put it in front of both as a second synopsis.)
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION [[code generator for web-site gadgets
Sitewright offers ready-made web-page gadgets, such as a frame breaker, a
bookmark link, redirects, popups and a search form (sitewright-gen --list
names every one). Pick one, fill in its fields, and generate its HTML and
JavaScript or preview it in the web browser. sitewright-gen writes the same
snippets from the command line.]])

set(CPACK_DEBIAN_DEBUG_PACKAGE_NAME sitewright-dbg)
set(CPACK_DEBIAN_DEBUG_PACKAGE_SECTION debug)
set(CPACK_DEBIAN_DEBUG_PACKAGE_SHLIBDEPS OFF)
set(CPACK_DEBIAN_DEBUG_PACKAGE_DEPENDS "sitewright (= ${PROJECT_VERSION})")
set(CPACK_DEBIAN_DEBUG_DESCRIPTION [[debug information for Sitewright
The debug information of sitewright, sitewright-gen and sitewright-brand,
found by debuggers through each program's build id.]])

include(CPack)
