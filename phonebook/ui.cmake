# The phonebook tab and its dialogs.
file(GLOB ORLIN_PHONEBOOK_UI CONFIGURE_DEPENDS
     ${CMAKE_CURRENT_SOURCE_DIR}/*_tab.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*_dialog.cpp)
add_library(orlin_phonebook_ui STATIC ${ORLIN_PHONEBOOK_UI})
target_link_libraries(orlin_phonebook_ui PUBLIC orlin_phonebook orlin_ui Qt6::Widgets)
