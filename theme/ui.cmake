# The theme tab (orlin_theme_ui).
file(GLOB ORLIN_THEME_UI CONFIGURE_DEPENDS
     ${CMAKE_CURRENT_SOURCE_DIR}/*_tab.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*_dialog.cpp)
if(ORLIN_THEME_UI)
  add_library(orlin_theme_ui STATIC ${ORLIN_THEME_UI})
  target_link_libraries(orlin_theme_ui PUBLIC orlin_ui Qt6::Widgets)
  if(TARGET orlin_theme)
    target_link_libraries(orlin_theme_ui PUBLIC orlin_theme)
  endif()
endif()
