# A man page of data/ carries the project's version: its @PROJECT_VERSION@ is filled in
# at configure time, and the filled-in copy is installed, compressed as Debian's policy
# asks of man pages (man reads them as they are).
function(tessel_man_page page)
  set(filled ${CMAKE_CURRENT_BINARY_DIR}/${page})
  configure_file(${PROJECT_SOURCE_DIR}/data/${page} ${filled} @ONLY)
  add_custom_command(OUTPUT ${filled}.gz COMMAND gzip -9 -n -f -k ${filled}
    DEPENDS ${filled} VERBATIM)
  add_custom_target(man_${page} ALL DEPENDS ${filled}.gz)
  install(FILES ${filled}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
