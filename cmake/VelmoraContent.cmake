# velmora_content_sql(<sql-file> DEPENDS <targets-or-files>...)
# Registers a generated SQL file to be loaded into the content database after
# the hand-written sources of content/. Call it from tools/ (processed first).
function(velmora_content_sql file)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  set_property(GLOBAL APPEND PROPERTY VELMORA_CONTENT_SQL ${file})
  set_property(GLOBAL APPEND PROPERTY VELMORA_CONTENT_SQL_DEPENDS ${ARG_DEPENDS})
endfunction()
