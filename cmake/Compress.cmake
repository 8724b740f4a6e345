# SPDX-License-Identifier: GPL-3.0-or-later
# Adds a build step that writes FILE.gz beside FILE, as Debian wants man pages and
# changelogs installed (gzip -n: the same bytes on every build).
function(tessel_gzip file target)
  add_custom_command(OUTPUT ${file}.gz COMMAND gzip -9 -n -f -k ${file} DEPENDS ${file} VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${file}.gz)
endfunction()
