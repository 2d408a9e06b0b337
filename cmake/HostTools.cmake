# Tools that run on the build machine: the stored-text blocks, the icon, the
# skin block and the embedded files. A cross build compiles them with the
# host's compiler.
#
#   host_tool(VARIABLE NAME [SOURCES s...] [HEADERS h...] [INCLUDES dir...]
#             [LIBRARIES l...])
#
# builds tools/NAME.cpp (with any further SOURCES; HEADERS only make it
# build again when they change) and sets ${VARIABLE} (the
# command to run) and ${VARIABLE}_DEPENDS (what a rule using it must depend
# on) in the caller's scope.
if(CMAKE_CROSSCOMPILING)
  find_program(HOST_CXX NAMES g++ c++ REQUIRED)
endif()

function(host_tool variable name)
  cmake_parse_arguments(TOOL "" "" "SOURCES;HEADERS;INCLUDES;LIBRARIES" ${ARGN})
  set(sources ${CMAKE_SOURCE_DIR}/tools/${name}.cpp ${TOOL_SOURCES})
  if(CMAKE_CROSSCOMPILING)
    set(tool ${CMAKE_BINARY_DIR}/host-tools/${name})
    set(includes "")
    foreach(directory ${TOOL_INCLUDES})
      list(APPEND includes -I${directory})
    endforeach()
    set(libraries "")
    foreach(library ${TOOL_LIBRARIES})
      list(APPEND libraries -l${library})
    endforeach()
    add_custom_command(OUTPUT ${tool}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/host-tools
      COMMAND ${HOST_CXX} -std=c++20 -O1 ${includes} ${sources} ${libraries} -o ${tool}
      DEPENDS ${sources} ${TOOL_HEADERS} VERBATIM)
    # A target, so that rules in other folders can wait for the tool; its
    # sources make those rules run again when the tool changes.
    add_custom_target(host_${name} DEPENDS ${tool})
    set(${variable} ${tool} PARENT_SCOPE)
    set(${variable}_DEPENDS host_${name} ${sources} ${TOOL_HEADERS} PARENT_SCOPE)
  else()
    add_executable(${name} ${sources} ${TOOL_HEADERS})
    target_include_directories(${name} PRIVATE ${TOOL_INCLUDES})
    target_link_libraries(${name} PRIVATE ${TOOL_LIBRARIES})
    set(${variable} $<TARGET_FILE:${name}> PARENT_SCOPE)
    set(${variable}_DEPENDS ${name} PARENT_SCOPE)
  endif()
endfunction()

host_tool(MAKE_STORED_BLOCKS make_stored_blocks LIBRARIES z)
host_tool(MAKE_ICON make_icon)
host_tool(EMBED_FILES embed_files)
