# add_area_library(NAME name LIBS lib...)
# A feature area's library (features/<area>, views, views/direct): every .cpp of the calling
# folder, so a new dialog joins by adding its files. The folder's *Commands.cpp files, which
# register the area's commands (core/controls/CommandTable.h), form NAME_commands instead:
# nothing refers to their registrars, so that library is linked whole into module_commands,
# which the main window and switch-dialog link. Link NAME for the area's classes, and
# module_commands for the table.
function(add_area_library)
  cmake_parse_arguments(A "" "NAME" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB commands CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*Commands.cpp)
  if(commands)
    list(REMOVE_ITEM sources ${commands})
  endif()
  if(sources)
    add_library(${A_NAME} STATIC ${sources})
    target_include_directories(${A_NAME} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${A_NAME} PUBLIC ${A_LIBS})
  else()
    add_library(${A_NAME} INTERFACE)
    target_link_libraries(${A_NAME} INTERFACE ${A_LIBS})
  endif()
  if(commands)
    add_library(${A_NAME}_commands STATIC ${commands})
    target_include_directories(${A_NAME}_commands PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${A_NAME}_commands PUBLIC ${A_NAME} core_controls resources)
    target_link_libraries(module_commands INTERFACE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${A_NAME}_commands>")
  endif()
endfunction()
