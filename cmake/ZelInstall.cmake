# `cmake --install` puts the three libraries, their headers, a CMake package and the sample
# model with its tables under the prefix, so that a host project writes
#   find_package(Pellox CONFIG REQUIRED)
#   target_link_libraries(app PRIVATE Pellox::Widgets)
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(ZEL_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/pellox)
set(ZEL_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/Pellox)
set(ZEL_INSTALL_EXAMPLESDIR ${CMAKE_INSTALL_DATADIR}/pellox/examples)

# Hosts see Pellox::Core, Pellox::Print and Pellox::Widgets, in the build tree as well. The
# shared objects carry the project's version; the major version is the ABI's.
foreach(part Core Print Widgets)
  string(TOLOWER ${part} lower)
  set_target_properties(zel${lower} PROPERTIES EXPORT_NAME ${part} INSTALL_RPATH "$ORIGIN"
                        VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR})
  add_library(Pellox::${part} ALIAS zel${lower})
endforeach()

# Installed, headers are included from include/pellox as from the source root here.
target_include_directories(zelcore PUBLIC $<INSTALL_INTERFACE:${ZEL_INSTALL_INCLUDEDIR}>)
# Each file goes to one component, the unit of a Debian package (cmake/ZelPackage.cmake):
# libraries (what a host program runs with), paradox (the Paradox module), development
# (headers, the CMake package, the examples), tool (zelquery) and demo (pellox).
install(TARGETS zelcore zelprint zelwidgets EXPORT PelloxTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT libraries
                NAMELINK_COMPONENT development)

# The command-line tool comes with the package; its PDF module sits beside the libraries,
# where the tool looks for it (lib/ next to bin/).
set_target_properties(zelquery PROPERTIES INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")
set_target_properties(zelquerypdf PROPERTIES INSTALL_RPATH "$ORIGIN")
# The Paradox module (GPL-2+, as the pxlib it links) has a component of its own, so that the
# libraries' package carries no GPL code; the core looks for it beside itself.
if(ZEL_WITH_PARADOX)
  set_target_properties(zelparadox PROPERTIES INSTALL_RPATH "$ORIGIN")
  install(TARGETS zelparadox LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT paradox)
endif()
install(TARGETS zelquery RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT tool)
install(TARGETS zelquerypdf LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT tool)
install(FILES ${ZEL_MANPAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT tool)

# The tour opens the Data folder beside its program, so both live in a folder of their own,
# and bin/ holds a link to the program (the program's folder is where the link points).
set(ZEL_INSTALL_DEMODIR ${CMAKE_INSTALL_LIBDIR}/pellox)
set_target_properties(pellox PROPERTIES INSTALL_RPATH "$ORIGIN/..")
install(TARGETS pellox RUNTIME DESTINATION ${ZEL_INSTALL_DEMODIR} COMPONENT demo)
if(ZEL_WITH_PARADOX)
  install(DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Data DESTINATION ${ZEL_INSTALL_DEMODIR}
          COMPONENT demo)
endif()
install(CODE "set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
              file(MAKE_DIRECTORY \"\${bin}\")
              file(CREATE_LINK ../${ZEL_INSTALL_DEMODIR}/pellox \"\${bin}/pellox\" SYMBOLIC)"
        COMPONENT demo)

# Headers keep their folder ("model/zelmodel.h"). The PostgreSQL client's table of functions
# stays behind: it needs libpq's header, which the libraries use privately; so do the headers
# that files of one library share among themselves, whose contents are not exported.
set(ZEL_PRIVATE_HEADERS paradoxmodule.h zelpq.h zelmariadb.h zelfbclient.h blockingcall.h
                        recordcursor.h recordcursorsqlite.h recordcursorpostgres.h recordcursormariadb.h
                        recordcursorfirebird.h storedformtext.h storedformparser.h
                        zellocalsqltokens.h zellocalsqlitems.h joinseditorshared.h)
set(ZEL_PRIVATE_PATTERNS)
foreach(h IN LISTS ZEL_PRIVATE_HEADERS)
  list(APPEND ZEL_PRIVATE_PATTERNS PATTERN ${h} EXCLUDE)
endforeach()
foreach(dir messages model database export engine print controls dialogs editors workspace)
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/${dir}/ DESTINATION ${ZEL_INSTALL_INCLUDEDIR}/${dir}
          COMPONENT development FILES_MATCHING PATTERN "*.h" ${ZEL_PRIVATE_PATTERNS})
endforeach()

# The generated export headers sit at the top, as in the libraries' include roots.
foreach(lib zelcore zelprint zelwidgets)
  install(FILES ${CMAKE_BINARY_DIR}/include/${lib}/${lib}_export.h
          DESTINATION ${ZEL_INSTALL_INCLUDEDIR} COMPONENT development)
endforeach()

# The sample model, its stored query and the sample Paradox tables, for the example host.
install(FILES ${CMAKE_SOURCE_DIR}/examples/pellox-model.txt ${CMAKE_SOURCE_DIR}/examples/step1.zel
        DESTINATION ${ZEL_INSTALL_EXAMPLESDIR} COMPONENT development)
if(ZEL_WITH_PARADOX)
  install(DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Data DESTINATION ${ZEL_INSTALL_EXAMPLESDIR}
          COMPONENT development)
endif()

install(EXPORT PelloxTargets NAMESPACE Pellox:: DESTINATION ${ZEL_INSTALL_CMAKEDIR}
        COMPONENT development)
configure_package_config_file(${CMAKE_SOURCE_DIR}/cmake/PelloxConfig.cmake.in
                              ${CMAKE_BINARY_DIR}/PelloxConfig.cmake
                              INSTALL_DESTINATION ${ZEL_INSTALL_CMAKEDIR}
                              PATH_VARS ZEL_INSTALL_EXAMPLESDIR)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/PelloxConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/PelloxConfig.cmake ${CMAKE_BINARY_DIR}/PelloxConfigVersion.cmake
        DESTINATION ${ZEL_INSTALL_CMAKEDIR} COMPONENT development)
