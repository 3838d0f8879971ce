# Every subsystem folder (status, phonebook, datebook, messages, theme) builds the same two
# static libraries from its own files:
#   orlin_<name>     the Qt-free core: every .cpp but *_tab.cpp and *_dialog.cpp;
#   orlin_<name>_ui  the widgets: the *_tab.cpp and *_dialog.cpp files, only when Qt is built.
# A library whose folder has no such files yet is left out.
function(orlin_add_subsystem name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  set(core ${sources})
  list(FILTER core EXCLUDE REGEX "_(tab|dialog)\\.cpp$")
  if(core)
    add_library(orlin_${name} STATIC ${core})
    target_link_libraries(orlin_${name} PUBLIC orlin_link)
  endif()

  if(NOT ORLIN_WITH_QT)
    return()
  endif()
  set(ui ${sources})
  list(FILTER ui INCLUDE REGEX "_(tab|dialog)\\.cpp$")
  if(ui)
    add_library(orlin_${name}_ui STATIC ${ui})
    target_link_libraries(orlin_${name}_ui PUBLIC orlin_ui Qt6::Widgets)
    if(core)
      target_link_libraries(orlin_${name}_ui PUBLIC orlin_${name})
    endif()
  endif()
endfunction()
