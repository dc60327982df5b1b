# The target that assembles build/package from package/tovira.inf after the
# deliverables and the state images are built.
set(TOVIRA_PACKAGE_DIR ${CMAKE_BINARY_DIR}/package)
add_custom_target(tovira_package ALL
  COMMAND ${CMAKE_COMMAND} -DINF=${CMAKE_SOURCE_DIR}/package/tovira.inf
          -DBIN=${CMAKE_RUNTIME_OUTPUT_DIRECTORY} -DSRC=${CMAKE_SOURCE_DIR}/package
          -DOUT=${TOVIRA_PACKAGE_DIR} -DSTRIP=${CMAKE_STRIP} -P ${CMAKE_SOURCE_DIR}/package/assemble.cmake
  COMMENT "Assembling the package in ${TOVIRA_PACKAGE_DIR}"
  VERBATIM)

# The producers live in directories configured before and after this one:
# wire them once every directory is known.
function(tovira_package_dependencies)
  foreach(t tovira tvrcfg tvrsetup)
    if(TARGET ${t})
      add_dependencies(tovira_package ${t})
    endif()
  endforeach()
  if(EXISTS ${CMAKE_SOURCE_DIR}/assets/CMakeLists.txt)
    get_property(asset_targets DIRECTORY ${CMAKE_SOURCE_DIR}/assets PROPERTY BUILDSYSTEM_TARGETS)
    foreach(t IN LISTS asset_targets)
      add_dependencies(tovira_package ${t})
    endforeach()
  endif()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL tovira_package_dependencies)
