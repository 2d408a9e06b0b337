# Tools that run on the build machine: the stored-text blocks and the icon.
# A cross build compiles them with the host's compiler.
set(STORED_BLOCKS_SOURCE ${CMAKE_SOURCE_DIR}/tools/make_stored_blocks.cpp)
set(MAKE_ICON_SOURCE ${CMAKE_SOURCE_DIR}/tools/make_icon.cpp)

if(CMAKE_CROSSCOMPILING)
  find_program(HOST_CXX NAMES g++ c++ REQUIRED)
  set(HOST_TOOL_DIR ${CMAKE_BINARY_DIR}/host-tools)
  set(MAKE_STORED_BLOCKS ${HOST_TOOL_DIR}/make_stored_blocks)
  set(MAKE_ICON ${HOST_TOOL_DIR}/make_icon)
  add_custom_command(OUTPUT ${MAKE_STORED_BLOCKS}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${HOST_TOOL_DIR}
    COMMAND ${HOST_CXX} -std=c++20 -O1 ${STORED_BLOCKS_SOURCE} -lz -o ${MAKE_STORED_BLOCKS}
    DEPENDS ${STORED_BLOCKS_SOURCE} VERBATIM)
  add_custom_command(OUTPUT ${MAKE_ICON}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${HOST_TOOL_DIR}
    COMMAND ${HOST_CXX} -std=c++20 -O1 ${MAKE_ICON_SOURCE} -o ${MAKE_ICON}
    DEPENDS ${MAKE_ICON_SOURCE} VERBATIM)
  # Targets, so that rules in other folders can wait for the tools; the
  # tools' sources make those rules run again when a tool changes.
  add_custom_target(host_make_stored_blocks DEPENDS ${MAKE_STORED_BLOCKS})
  add_custom_target(host_make_icon DEPENDS ${MAKE_ICON})
  set(MAKE_STORED_BLOCKS_DEPENDS host_make_stored_blocks ${STORED_BLOCKS_SOURCE})
  set(MAKE_ICON_DEPENDS host_make_icon ${MAKE_ICON_SOURCE})
else()
  add_executable(make_stored_blocks ${STORED_BLOCKS_SOURCE})
  target_link_libraries(make_stored_blocks PRIVATE z)
  add_executable(make_icon ${MAKE_ICON_SOURCE})
  set(MAKE_STORED_BLOCKS $<TARGET_FILE:make_stored_blocks>)
  set(MAKE_ICON $<TARGET_FILE:make_icon>)
  set(MAKE_STORED_BLOCKS_DEPENDS make_stored_blocks)
  set(MAKE_ICON_DEPENDS make_icon)
endif()
