# Every source folder is one static library of logic (no Qt) and, beside it in
# ui/, one library of Qt windows; a folder that draws pictures for both the
# windows and luch-calc has a paint/ library between them (Qt Gui, no windows). Sources are picked up by glob so that a new
# file needs no edit here. A file named *_windows.cpp holds the Windows form of
# a platform service and is built for Windows only, as is its test,
# *_windows_test.cpp.

# luch_platform_sources(VAR): drops the Windows-only files from VAR elsewhere.
macro(luch_platform_sources var)
  if(NOT WIN32)
    list(FILTER ${var} EXCLUDE REGEX "_windows(_test)?\\.cpp$")
  endif()
endmacro()

# luch_add_library(TARGET SOURCES DEPS): a static library, or an interface
# library while the folder has no source yet.
function(luch_add_library target sources deps)
  if(sources)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src
                                                ${PROJECT_BINARY_DIR}/generated)
    target_link_libraries(${target} PUBLIC ${deps})
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR}/src
                                                   ${PROJECT_BINARY_DIR}/generated)
    target_link_libraries(${target} INTERFACE ${deps})
  endif()
endfunction()

# luch_core_module(NAME DEPS...): src/NAME/*.cpp -> luch_NAME
function(luch_core_module name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  luch_platform_sources(sources)
  luch_add_library(luch_${name} "${sources}" "${ARGN}")
  set_property(GLOBAL APPEND PROPERTY LUCH_CORE_MODULES luch_${name})
endfunction()

# luch_ui_module(NAME DEPS...): src/NAME/ui/*.cpp -> luch_NAME_ui (Qt Widgets)
function(luch_ui_module name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp
       ${CMAKE_CURRENT_SOURCE_DIR}/*.h ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  luch_platform_sources(sources)
  set(cpp_sources ${sources})
  list(FILTER cpp_sources INCLUDE REGEX "\\.cpp$")
  if(NOT cpp_sources)
    set(sources "")
  endif()
  luch_add_library(luch_${name}_ui "${sources}" "luch_${name};Qt6::Widgets;${ARGN}")
  set_property(GLOBAL APPEND PROPERTY LUCH_UI_MODULES luch_${name}_ui)
endfunction()

# luch_paint_module(NAME DEPS...): src/NAME/paint/*.cpp -> luch_NAME_paint:
# drawing with QPainter on any device (a widget, a PDF page), Qt Gui only, so
# that luch-calc draws without linking the windows.
function(luch_paint_module name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  luch_platform_sources(sources)
  luch_add_library(luch_${name}_paint "${sources}" "luch_${name};Qt6::Gui;${ARGN}")
  set_property(GLOBAL APPEND PROPERTY LUCH_PAINT_MODULES luch_${name}_paint)
endfunction()

# luch_direct_links(TARGET OUT): the libraries TARGET links itself.
function(luch_direct_links target out)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    get_target_property(links ${target} INTERFACE_LINK_LIBRARIES)
  else()
    get_target_property(links ${target} LINK_LIBRARIES)
  endif()
  set(${out} ${links} PARENT_SCOPE)
endfunction()

# luch_forbid_links(TARGET REGEX WHY): stops the configuration when TARGET
# links a library whose name matches REGEX.
function(luch_forbid_links target regex why)
  luch_direct_links(${target} links)
  foreach(link IN LISTS links)
    if(link MATCHES "${regex}")
      message(FATAL_ERROR "${target} links ${link}: ${why}")
    endif()
  endforeach()
endfunction()

# luch_link_closure(TARGET OUT): every luch_* library TARGET links, directly or
# through others.
function(luch_link_closure target out)
  set(seen "")
  set(todo ${target})
  while(todo)
    list(POP_FRONT todo current)
    if(NOT TARGET ${current} OR current IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${current})
    luch_direct_links(${current} links)
    foreach(link IN LISTS links)
      if(link MATCHES "^luch_")
        list(APPEND todo ${link})
      endif()
    endforeach()
  endwhile()
  set(${out} ${seen} PARENT_SCOPE)
endfunction()

# luch_check_rooms(TARGET FOLDER): stops the configuration when a file of
# FOLDER includes a header of a room (src/ROOM/...) that TARGET does not link:
# the rooms' arrows run downwards only, and the links say which they are.
function(luch_check_rooms target folder)
  luch_link_closure(${target} closure)
  set(allowed "")
  foreach(lib IN LISTS closure)
    string(REGEX REPLACE "^luch_([a-z]+).*$" "\\1" room ${lib})
    list(APPEND allowed ${room})
  endforeach()
  file(GLOB files ${folder}/*.h ${folder}/*.cpp)
  foreach(file IN LISTS files)
    file(STRINGS ${file} includes REGEX "^#include \"[a-z]+/")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^#include \"([a-z]+)/.*$" "\\1" room "${line}")
      if(NOT room IN_LIST allowed)
        message(FATAL_ERROR "${file} includes a header of src/${room}/, which ${target} does not "
                            "link: a room uses only the rooms below it")
      endif()
    endforeach()
  endforeach()
endfunction()
