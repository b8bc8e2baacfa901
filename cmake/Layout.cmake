# Sources are globbed so that a new file needs no CMake edit. The rules:
#   src/<dir>/**.cpp          -> static library core_<dir> (no Qt)
#   any folder named qt/      -> the gui library (Qt 6 Widgets)
#   src/cli/*.cpp             -> inspector-cli
#   server/main.cpp           -> inspector-server, other server/*.cpp -> server_lib
#   tests/<name>/*.cpp        -> test executable test_<name>, CTest label <name>
#   bench/*.cpp               -> inspector_bench

# Collects the core sources below DIR, leaving out every qt/ folder.
function(inspector_core_sources out dir)
  file(GLOB_RECURSE files CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
  list(FILTER files EXCLUDE REGEX "/qt/")
  set(${out} ${files} PARENT_SCOPE)
endfunction()

# Embeds every file of a folder as bytes into a generated source file.
function(inspector_embed_folder out_cpp folder)
  file(GLOB embedded CONFIGURE_DEPENDS ${folder}/*)
  list(SORT embedded)
  add_custom_command(
    OUTPUT ${out_cpp}
    COMMAND ${CMAKE_COMMAND} -DOUT=${out_cpp} -DFOLDER=${folder}
            -P ${PROJECT_SOURCE_DIR}/cmake/Embed.cmake
    DEPENDS ${embedded} ${PROJECT_SOURCE_DIR}/cmake/Embed.cmake
    COMMENT "Embedding ${folder}")
endfunction()
