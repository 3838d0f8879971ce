# The messages tab and the new-message dialog (orlin_messages_ui).
file(GLOB ORLIN_MESSAGES_UI CONFIGURE_DEPENDS
     ${CMAKE_CURRENT_SOURCE_DIR}/*_tab.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*_dialog.cpp)
if(ORLIN_MESSAGES_UI)
  add_library(orlin_messages_ui STATIC ${ORLIN_MESSAGES_UI})
  target_link_libraries(orlin_messages_ui PUBLIC orlin_ui Qt6::Widgets)
  if(TARGET orlin_messages)
    target_link_libraries(orlin_messages_ui PUBLIC orlin_messages)
  endif()
endif()
