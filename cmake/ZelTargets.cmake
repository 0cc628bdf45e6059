# Gives a library its include root in the build tree: a folder that links to each of the
# library's source folders, so that "model/zelmodel.h" is found from the libraries that see
# model/ and from no other. Libraries and programs that link a library see its root too.
function(zel_include_root target)
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  file(MAKE_DIRECTORY ${root})
  foreach(dir IN LISTS ARGN)
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${dir} ${root}/${dir} SYMBOLIC)
  endforeach()
  target_include_directories(${target} PUBLIC $<BUILD_INTERFACE:${root}>)
endfunction()

# Builds a library with hidden visibility: only what its headers mark with <TARGET>_EXPORT
# (from <target>_export.h, generated into its include root) is exported to hosts.
include(GenerateExportHeader)
function(zel_public_api target)
  set_target_properties(${target} PROPERTIES CXX_VISIBILITY_PRESET hidden
                                             VISIBILITY_INLINES_HIDDEN ON)
  generate_export_header(${target}
                         EXPORT_FILE_NAME ${CMAKE_BINARY_DIR}/include/${target}/${target}_export.h)
endfunction()

# One Qt Test executable per tst_*.cpp of the calling folder, registered with ctest. By default
# a test links the widgets and their test helpers. CORE: the folder's tests link the core and
# its test helpers only, and carry the label "core" (the set the sanitizer build makes); PRINT:
# they link the print library too, with QtGui but no widgets. The tests named after WITH_PRINT
# or WIDGETS are the folder's exceptions that need that much.
function(zel_folder_tests)
  cmake_parse_arguments(PARSE_ARGV 0 arg "CORE;PRINT" "" "WITH_PRINT;WIDGETS")
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tst_*.cpp)
  foreach(t IN LISTS tests)
    get_filename_component(name ${t} NAME_WE)
    add_executable(${name} ${t})
    target_compile_options(${name} PRIVATE ${ZEL_WARNINGS})
    target_compile_definitions(${name} PRIVATE ZEL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)
    if(name IN_LIST arg_WIDGETS OR NOT (arg_CORE OR arg_PRINT))
      target_link_libraries(${name} PRIVATE zeltestsupport)
    elseif(arg_PRINT OR name IN_LIST arg_WITH_PRINT)
      target_link_libraries(${name} PRIVATE zeltestcore zelprint)
    else()
      target_link_libraries(${name} PRIVATE zeltestcore)
      set_tests_properties(${name} PROPERTIES LABELS core)
      add_dependencies(zel_core_tests ${name})
    endif()
  endforeach()
  foreach(exception IN LISTS arg_WITH_PRINT arg_WIDGETS)
    if(NOT TARGET ${exception})
      message(FATAL_ERROR "zel_folder_tests: no test ${exception} in ${CMAKE_CURRENT_SOURCE_DIR}")
    endif()
  endforeach()
endfunction()
