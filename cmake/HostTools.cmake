# Tools that run on the build machine: the stored-text blocks, the icon and
# the embedded files (the skin engine library and its skin). A cross build
# compiles them with the host's compiler.
#
# For each tool NAME this sets ${NAME} (the command to run) and
# ${NAME}_DEPENDS (what a rule using it must depend on), e.g. MAKE_ICON.
if(CMAKE_CROSSCOMPILING)
  find_program(HOST_CXX NAMES g++ c++ REQUIRED)
endif()

function(host_tool variable name)
  set(source ${CMAKE_SOURCE_DIR}/tools/${name}.cpp)
  if(CMAKE_CROSSCOMPILING)
    set(tool ${CMAKE_BINARY_DIR}/host-tools/${name})
    add_custom_command(OUTPUT ${tool}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/host-tools
      COMMAND ${HOST_CXX} -std=c++20 -O1 ${source} ${ARGN} -o ${tool}
      DEPENDS ${source} VERBATIM)
    # A target, so that rules in other folders can wait for the tool; the
    # tool's source makes those rules run again when the tool changes.
    add_custom_target(host_${name} DEPENDS ${tool})
    set(${variable} ${tool} PARENT_SCOPE)
    set(${variable}_DEPENDS host_${name} ${source} PARENT_SCOPE)
  else()
    add_executable(${name} ${source})
    foreach(library ${ARGN})
      string(REGEX REPLACE "^-l" "" library ${library})
      target_link_libraries(${name} PRIVATE ${library})
    endforeach()
    set(${variable} $<TARGET_FILE:${name}> PARENT_SCOPE)
    set(${variable}_DEPENDS ${name} PARENT_SCOPE)
  endif()
endfunction()

host_tool(MAKE_STORED_BLOCKS make_stored_blocks -lz)
host_tool(MAKE_ICON make_icon)
host_tool(EMBED_FILES embed_files)
