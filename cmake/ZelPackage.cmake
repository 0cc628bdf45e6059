# Debian packages, one for each install component: `cpack -G DEB` in the build folder.
#   libpellox4     the three shared libraries (what a host program runs with), no GPL code
#   libpellox4-paradox  the Paradox module, which links pxlib (GPL-2+)
#   libpellox-dev  headers, the CMake package (find_package(Pellox)), the sample model and tables
#   zelquery       the command-line tool, its PDF module and its manual page
#   pellox         the tour program and its sample tables
# Depends on system libraries come from dpkg-shlibdeps; those between our packages, with the
# exact version, from the components' dependencies; Qt's plugins, loaded at run time, are named.
set(CPACK_PACKAGE_NAME pellox)
set(CPACK_PACKAGE_VENDOR "Pellox developers")
set(CPACK_PACKAGE_CONTACT "Pellox developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Visual SQL query builder components for Qt 6")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL libraries development tool demo)
if(ZEL_WITH_PARADOX)
  list(APPEND CPACK_COMPONENTS_ALL paradox)
endif()

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Our own libraries, which the programs find through their RUNPATH, are not known to dpkg yet.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_LIBRARY_OUTPUT_DIRECTORY})
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION libs)

set(CPACK_DEBIAN_LIBRARIES_PACKAGE_NAME libpellox${PROJECT_VERSION_MAJOR})
set(CPACK_DEBIAN_LIBRARIES_PACKAGE_DEPENDS "libqt6sql6-sqlite")
set(CPACK_DEBIAN_LIBRARIES_PACKAGE_SUGGESTS
    "libqt6sql6-psql, libpq5, libqt6sql6-mysql, libmariadb3, libqt6sql6-ibase, libfbclient2")
set(CPACK_DEBIAN_PARADOX_PACKAGE_NAME libpellox${PROJECT_VERSION_MAJOR}-paradox)
set(CPACK_DEBIAN_PARADOX_PACKAGE_LICENSE "GPL-2+")
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libpellox-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS "qt6-base-dev, qt6-svg-dev")
set(CPACK_DEBIAN_TOOL_PACKAGE_NAME zelquery)
set(CPACK_DEBIAN_TOOL_PACKAGE_SECTION database)
# The print command paints on the offscreen platform.
set(CPACK_DEBIAN_TOOL_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_DEMO_PACKAGE_NAME pellox)
set(CPACK_DEBIAN_DEMO_PACKAGE_SECTION database)
set(CPACK_DEBIAN_DEMO_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2")
# The sample tables are Paradox tables: the tour needs the module, the examples want it.
set(zel_samples)
if(ZEL_WITH_PARADOX)
  set(zel_samples paradox)
  set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_RECOMMENDS ${CPACK_DEBIAN_PARADOX_PACKAGE_NAME})
  set(CPACK_DEBIAN_TOOL_PACKAGE_RECOMMENDS ${CPACK_DEBIAN_PARADOX_PACKAGE_NAME})
endif()

include(CPack)
cpack_add_component(libraries DISPLAY_NAME "Pellox libraries"
                    DESCRIPTION "The shared libraries zelcore, zelprint and zelwidgets.")
cpack_add_component(paradox DISPLAY_NAME "Pellox Paradox module" DEPENDS libraries
                    DESCRIPTION "Paradox tables for the Pellox libraries, through pxlib (GPL-2+).")
cpack_add_component(development DISPLAY_NAME "Pellox development files" DEPENDS libraries
                    DESCRIPTION "Headers, the CMake package Pellox, the sample model and tables.")
cpack_add_component(tool DISPLAY_NAME "zelquery" DEPENDS libraries
                    DESCRIPTION "Checks, generates, runs and exports stored queries.")
cpack_add_component(demo DISPLAY_NAME "Pellox tour" DEPENDS libraries ${zel_samples}
                    DESCRIPTION "The tour program hosting the components on sample tables.")
