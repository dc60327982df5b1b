# The target that makes the device's cabinet, build/package/Tovira.cab, from
# package/_setup.xml after the deliverables and the state images are built.
set(TOVIRA_PACKAGE_DIR ${CMAKE_BINARY_DIR}/package)
set(TOVIRA_CABINET ${TOVIRA_PACKAGE_DIR}/Tovira.cab)
find_program(TOVIRA_PYTHON3 python3 HINTS /usr/bin REQUIRED)
find_program(TOVIRA_GCAB gcab REQUIRED)
add_custom_target(tovira_package ALL
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${TOVIRA_PACKAGE_DIR}
  COMMAND ${TOVIRA_PYTHON3} ${CMAKE_SOURCE_DIR}/package/make_cabinet.py
          --setup-xml ${CMAKE_SOURCE_DIR}/package/_setup.xml
          --bin ${CMAKE_RUNTIME_OUTPUT_DIRECTORY} --src ${CMAKE_SOURCE_DIR}/package
          --strip ${CMAKE_STRIP} --gcab ${TOVIRA_GCAB} --out ${TOVIRA_CABINET}
  COMMENT "Making the cabinet ${TOVIRA_CABINET}"
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
