# How the tree becomes targets: a folder is a target. Each folder under src/ builds one library from
# the source files directly in it (never another folder's), and says what it links with; the include
# root is src/, so every include names its folder ("engine/TweakEngine.h").

set(VELMORA_SOURCE_ROOT ${PROJECT_SOURCE_DIR}/src)

function(velmora_folder_library name)
  cmake_parse_arguments(ARG "" "" "PUBLIC;PRIVATE" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  # A folder's main.cpp belongs to its executable, not its library.
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${VELMORA_SOURCE_ROOT})
  target_link_libraries(${name} PUBLIC ${ARG_PUBLIC} PRIVATE ${ARG_PRIVATE})
endfunction()

# Every library `target` links, directly or through others.
function(velmora_link_closure target out)
  set(seen "")
  set(pending ${target})
  while(pending)
    list(POP_FRONT pending current)
    if(current IN_LIST seen OR NOT TARGET ${current})
      continue()
    endif()
    list(APPEND seen ${current})
    get_target_property(type ${current} TYPE)
    set(links "")
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(direct ${current} LINK_LIBRARIES)
      if(direct)
        list(APPEND links ${direct})
      endif()
    endif()
    get_target_property(interface ${current} INTERFACE_LINK_LIBRARIES)
    if(interface)
      list(APPEND links ${interface})
    endif()
    foreach(link IN LISTS links)
      string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" link "${link}")
      list(APPEND pending ${link})
    endforeach()
  endwhile()
  set(${out} ${seen} PARENT_SCOPE)
endfunction()

# The model builds and tests without a display: nothing it links may draw widgets.
function(velmora_require_no_widgets target)
  velmora_link_closure(${target} closure)
  foreach(forbidden Qt6::Widgets Qt::Widgets)
    if(forbidden IN_LIST closure)
      message(FATAL_ERROR "${target} links ${forbidden}; the model library must never link Widgets")
    endif()
  endforeach()
endfunction()

# The compile guards of the project's own code: no implicit conversions between QString and C
# strings, no narrowing in connects, strict iterators, and warnings for old-style casts and
# classes with virtual functions but no virtual destructor. Each project target links it privately.
add_library(velmora_strict INTERFACE)
target_compile_definitions(velmora_strict INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_NARROWING_CONVERSIONS_IN_CONNECT QT_STRICT_ITERATORS)
target_compile_options(velmora_strict INTERFACE -Wnon-virtual-dtor -Wold-style-cast)
