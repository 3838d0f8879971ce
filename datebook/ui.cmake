# The datebook tab and its event dialog (orlin_datebook_ui).
file(GLOB ORLIN_DATEBOOK_UI CONFIGURE_DEPENDS
     ${CMAKE_CURRENT_SOURCE_DIR}/*_tab.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*_dialog.cpp)
if(ORLIN_DATEBOOK_UI)
  add_library(orlin_datebook_ui STATIC ${ORLIN_DATEBOOK_UI})
  target_link_libraries(orlin_datebook_ui PUBLIC orlin_ui Qt6::Widgets)
  if(TARGET orlin_datebook)
    target_link_libraries(orlin_datebook_ui PUBLIC orlin_datebook)
  endif()
endif()
