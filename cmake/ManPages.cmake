# SPDX-License-Identifier: GPL-3.0-or-later
# A man page of data/ carries the project's version: its @PROJECT_VERSION@ is filled in
# at configure time, and the filled-in copy is installed, compressed as Debian's policy
# asks of man pages (man reads them as they are).
function(tessel_man_page page)
  set(filled ${CMAKE_CURRENT_BINARY_DIR}/${page})
  configure_file(${PROJECT_SOURCE_DIR}/data/${page} ${filled} @ONLY)
  tessel_gzip(${filled} man_${page})
  install(FILES ${filled}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
