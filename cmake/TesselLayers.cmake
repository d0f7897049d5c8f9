# The libraries of src/, one per folder. TESSEL_SRC is the src/ folder.
#
# tessel_add_library(<target> <folder> <source>...): a static library of the
# named sources of src/<folder>/. Its headers are reached as "<folder>/X.h"
# through an include folder of the library's own (a link to src/<folder> in
# the build tree), which only the library and what links it see: a file that
# includes a header of a library its own does not link fails to compile.
function(tessel_add_library target folder)
  list(TRANSFORM ARGN PREPEND ${TESSEL_SRC}/${folder}/)
  add_library(${target} STATIC ${ARGN})
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  get_filename_component(parent ${root}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  file(CREATE_LINK ${TESSEL_SRC}/${folder} ${root}/${folder} SYMBOLIC COPY_ON_ERROR)
  target_include_directories(${target} PUBLIC ${root})
endfunction()
