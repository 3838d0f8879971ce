# orlin_man_page(<target> <name>): the manual page <name>.1, made from the target's --help at
# build time by OrlinManPage.cmake and installed into man1 compressed, as Debian keeps manual
# pages (not in a cross-build, whose program does not run here).
function(orlin_man_page target name)
  if(CMAKE_CROSSCOMPILING)
    return()
  endif()
  set(page ${CMAKE_CURRENT_BINARY_DIR}/${name}.1)
  add_custom_command(
    OUTPUT ${page} ${page}.gz
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${target}> -DNAME=${name}
            -DVERSION=${ORLIN_FILE_VERSION} -DOUTPUT=${page}
            -P ${PROJECT_SOURCE_DIR}/cmake/OrlinManPage.cmake
    COMMAND gzip -9nkf ${page}
    DEPENDS ${target} ${PROJECT_SOURCE_DIR}/cmake/OrlinManPage.cmake
    COMMENT "Writing the manual page of ${name}"
    VERBATIM)
  add_custom_target(${target}_man_page ALL DEPENDS ${page})
  install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
