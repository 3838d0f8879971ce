# Every subsystem folder (status, phonebook, datebook, messages, theme) builds the same static
# libraries from its own files:
#   orlin_<name>     the Qt-free core: every .cpp of the folder but *_tab.cpp and *_dialog.cpp;
#   orlin_<name>_ui  the widgets: the *_tab.cpp and *_dialog.cpp files, only when Qt is built.
# A folder without core files yet has no core library. The libraries made here are collected
# in the global properties ORLIN_CORE_LIBRARIES and ORLIN_TAB_LIBRARIES, which orlin-cli and
# the main window link, so that no link line names a subsystem. A new subsystem still needs
# three edits outside its folder: its name in the subsystem list of the top CMakeLists.txt,
# its tab built and placed in app/main_window.cpp, and a cli/verb_<name>.cpp for its verb (see
# docs/HACKING.md).
function(orlin_add_subsystem name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  set(core ${sources})
  list(FILTER core EXCLUDE REGEX "_(tab|dialog)\\.cpp$")
  if(core)
    add_library(orlin_${name} STATIC ${core})
    target_link_libraries(orlin_${name} PUBLIC orlin_link)
    set_property(GLOBAL APPEND PROPERTY ORLIN_CORE_LIBRARIES orlin_${name})
  endif()

  if(NOT ORLIN_WITH_QT)
    return()
  endif()
  set(ui ${sources})
  list(FILTER ui INCLUDE REGEX "_(tab|dialog)\\.cpp$")
  add_library(orlin_${name}_ui STATIC ${ui})
  set_target_properties(orlin_${name}_ui PROPERTIES AUTOMOC ON)
  target_link_libraries(orlin_${name}_ui PUBLIC orlin_ui Qt6::Widgets)
  if(core)
    target_link_libraries(orlin_${name}_ui PUBLIC orlin_${name})
  endif()
  set_property(GLOBAL APPEND PROPERTY ORLIN_TAB_LIBRARIES orlin_${name}_ui)
endfunction()

# orlin_add_core_part(<name> <part> PACKAGES <pkg-config modules...>)
# A Qt-free part of a subsystem's core that needs a library the Windows cross-build of the
# cores lacks (the datebook's iCalendar support, the theme's synthesizer). Its files live in
# the sub-folder <name>/<part>/ and build orlin_<name>_<part> over orlin_<name>; it is not
# built with ORLIN_CORE_ONLY, where its name goes into ORLIN_MISSING_PARTS instead (orlin-cli
# then leaves out the commands that need it and says so). The tab library and orlin-cli link
# it like a core.
function(orlin_add_core_part name part)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "PACKAGES")
  if(ORLIN_CORE_ONLY)
    set_property(GLOBAL APPEND PROPERTY ORLIN_MISSING_PARTS ${name}_${part})
    return()
  endif()
  find_package(PkgConfig REQUIRED)
  set(package_targets "")
  foreach(package ${arg_PACKAGES})
    string(MAKE_C_IDENTIFIER ${package} prefix)
    pkg_check_modules(${prefix} REQUIRED IMPORTED_TARGET ${package})
    list(APPEND package_targets PkgConfig::${prefix})
  endforeach()
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${part}/*.cpp)
  add_library(orlin_${name}_${part} STATIC ${sources})
  target_link_libraries(orlin_${name}_${part} PUBLIC orlin_${name} ${package_targets})
  set_property(GLOBAL APPEND PROPERTY ORLIN_CORE_LIBRARIES orlin_${name}_${part})
  if(TARGET orlin_${name}_ui)
    target_link_libraries(orlin_${name}_ui PUBLIC orlin_${name}_${part})
  endif()
endfunction()
