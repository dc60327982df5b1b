# What the Today screen of scripts/run.sh needs and nothing more: the three
# deliverables, todayhost and its screen turner, the device's state writer
# (scripts/device-state.sh), the installer stand-in, the device's own programs,
# the state images and the package; no GoogleTest, tests or benchmarks. Every
# program a script starts is one of these: .ci/run runs the scripts on a new
# clone, with nothing else built.
#   cmake --build build --target device
add_custom_target(device)
get_property(device_stubs DIRECTORY ${CMAKE_SOURCE_DIR}/host/devicestubs PROPERTY BUILDSYSTEM_TARGETS)
foreach(t tovira tvrcfg tvrsetup todayhost turnscreen devicestate tvrinstall state_images tovira_package ${device_stubs})
  if(TARGET ${t})
    add_dependencies(device ${t})
  endif()
endforeach()

# Parsing <windows.h> is most of what compiling one of our sources costs:
# the platform library, which everything else may depend on, parses it once
# as a precompiled header, and every target of the device (built with the
# same flags) takes that one.
target_precompile_headers(platform PRIVATE <windows.h>)
foreach(t tovira_objects tvrcfg_objects tvrcfg host_common todayhost_core display_turn todayhost turnscreen installer_core tvrinstall
          tvrsetup devicestate ${device_stubs})
  if(TARGET ${t})
    target_precompile_headers(${t} REUSE_FROM platform)
  endif()
endforeach()
