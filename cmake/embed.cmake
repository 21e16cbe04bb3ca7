# Compiles resource files into the binary as byte arrays, looked up by file name
# through vcl::FindResource (src/platform/resources.h).
function(tolvane_embed output)
  set(files ${ARGN})
  # A list cannot pass through the command line as it is: its separator is the shell's.
  string(REPLACE ";" "|" packed "${files}")
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DOUTPUT=${output} "-DFILES=${packed}" -P ${CMAKE_SOURCE_DIR}/cmake/embed_run.cmake
    DEPENDS ${files} ${CMAKE_SOURCE_DIR}/cmake/embed_run.cmake
    COMMENT "Embedding resources"
    VERBATIM)
endfunction()
