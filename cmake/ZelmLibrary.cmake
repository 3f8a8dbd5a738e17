# zelm_add_library(NAME SOURCES ... [LAYERS lower libraries...] [PRIVATE_LIBS third-party...])
#
# One layer's code, compiled once into the object library NAME_objects, and linked
# into the shared library NAME (versioned, symbols hidden unless marked ZELM_API,
# no undefined symbols). The program and the tools link the shared libraries; the
# test suites link the objects of every layer they need, so that they can reach the
# machinery that the shared libraries keep hidden.
function(zelm_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LAYERS;PRIVATE_LIBS" ${ARGN})
  add_library(${name}_objects OBJECT ${ARG_SOURCES})
  target_include_directories(${name}_objects PUBLIC
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include> $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>)
  set(lowerObjects "")
  foreach(layer IN LISTS ARG_LAYERS)
    list(APPEND lowerObjects ${layer}_objects)
  endforeach()
  # Lower layers' objects give their include paths and third-party libraries only:
  # object files never travel through an object library.
  target_link_libraries(${name}_objects PUBLIC ${lowerObjects} ${ARG_PRIVATE_LIBS})

  add_library(${name} SHARED)
  target_link_libraries(${name} PRIVATE ${name}_objects ${ARG_PRIVATE_LIBS} PUBLIC ${ARG_LAYERS})
  target_include_directories(${name} PUBLIC
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include> $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
  target_compile_features(${name} INTERFACE cxx_std_20)
  set_target_properties(${name} PROPERTIES VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR})
  if(NOT ZELM_SANITIZE)
    target_link_options(${name} PRIVATE -Wl,--no-undefined)
  endif()
endfunction()
