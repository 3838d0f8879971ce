# The widgets of the terminal and information tabs (orlin_status_ui).
file(GLOB ORLIN_STATUS_UI CONFIGURE_DEPENDS
     ${CMAKE_CURRENT_SOURCE_DIR}/*_tab.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*_dialog.cpp)
if(ORLIN_STATUS_UI AND TARGET orlin_status)
  add_library(orlin_status_ui STATIC ${ORLIN_STATUS_UI})
  target_link_libraries(orlin_status_ui PUBLIC orlin_status orlin_ui Qt6::Widgets)
endif()
