# A library's .def names each WINAPI (stdcall) export as 32-bit x86 links it,
# "Name=Name@bytes": there the compiler decorates the symbol with the size of
# its arguments, and the alias exports it under the plain name the caller
# looks up. 64-bit Windows has one convention and no decoration, so the lane
# builds from a copy without the aliases. Either way the library exports the
# same names at the same ordinals; a signature that no longer matches its
# decoration fails to link (no stdcall fix-up is allowed).
#   tovira_exports(TARGET DEF_FILE)
function(tovira_exports target def)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    target_sources(${target} PRIVATE ${def})
    target_link_options(${target} PRIVATE -Wl,--disable-stdcall-fixup)
    return()
  endif()
  get_filename_component(name ${def} NAME)
  set(plain ${CMAKE_CURRENT_BINARY_DIR}/${target}-${name})
  file(READ ${def} text)
  string(REGEX REPLACE "=[A-Za-z_][A-Za-z0-9_]*@[0-9]+" "" text "${text}")
  file(GENERATE OUTPUT ${plain} CONTENT "${text}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${def})
  target_sources(${target} PRIVATE ${plain})
endfunction()
