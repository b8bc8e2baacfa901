# What `cmake --install` puts in place: the three programs, the desktop entry,
# the AppStream metadata, the icon (SVG and PNG in the hicolor theme), the man
# pages, the documentation and the sync server's service files.
#
# The PNG icons are drawn from the SVG with libvips' command-line tool and the
# man pages of inspector-cli and inspector-server are made from their --help,
# both at build time. The service files hold absolute paths, so they are
# written at install time, for the prefix installed to: with the prefix /usr
# the environment file goes to /etc, otherwise to <prefix>/etc.

include(GNUInstallDirs)

set(INSPECTOR_APP_ID com.veltrane.Inspector)
set(packaging ${PROJECT_SOURCE_DIR}/packaging)
set(generated ${PROJECT_BINARY_DIR}/packaging)
set(INSPECTOR_ICON_SIZES 16 24 32 48 64 128 256)

foreach(program inspector inspector-cli inspector-server)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

install(FILES ${packaging}/${INSPECTOR_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${packaging}/${INSPECTOR_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(icon_svg ${packaging}/icons/${INSPECTOR_APP_ID}.svg)
install(FILES ${icon_svg} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
find_program(INSPECTOR_VIPS_TOOL vips)
set(generated_files)
if(INSPECTOR_VIPS_TOOL)
  foreach(size IN LISTS INSPECTOR_ICON_SIZES)
    set(png ${generated}/icons/${size}x${size}/${INSPECTOR_APP_ID}.png)
    add_custom_command(
      OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${generated}/icons/${size}x${size}
      COMMAND ${INSPECTOR_VIPS_TOOL} thumbnail ${icon_svg} ${png} ${size}
      DEPENDS ${icon_svg}
      COMMENT "Drawing the ${size}x${size} program icon")
    list(APPEND generated_files ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
else()
  message(WARNING "vips not found (Debian: libvips-tools): the PNG program icons are left out")
endif()

# Man pages, compressed as Debian keeps them: inspector.1 is kept by hand, the
# other two are made from the built program's --help and a page source.
find_program(INSPECTOR_GZIP gzip REQUIRED)
set(man ${generated}/man)
set(man_pages ${man}/inspector.1.gz)
add_custom_command(
  OUTPUT ${man}/inspector.1.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${man}
  COMMAND ${INSPECTOR_GZIP} -9nc ${packaging}/man/inspector.1 > ${man}/inspector.1.gz
  DEPENDS ${packaging}/man/inspector.1
  COMMENT "Man page inspector.1")
foreach(program inspector-cli inspector-server)
  if(TARGET ${program})
    add_custom_command(
      OUTPUT ${man}/${program}.1.gz
      COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${program}> -DSOURCE=${packaging}/man/${program}.1.in
              -DOUT=${man}/${program}.1 -DVERSION=${PROJECT_VERSION} -P ${packaging}/man/HelpToMan.cmake
      COMMAND ${INSPECTOR_GZIP} -9nf ${man}/${program}.1
      DEPENDS ${program} ${packaging}/man/HelpToMan.cmake ${packaging}/man/${program}.1.in
      COMMENT "Man page ${program}.1 from its --help")
    list(APPEND man_pages ${man}/${program}.1.gz)
  endif()
endforeach()
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Documentation: the READMEs, the copyright notice and the changelog.
set(docdir ${CMAKE_INSTALL_DATADIR}/doc/inspector)
add_custom_command(
  OUTPUT ${generated}/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${generated}
  COMMAND ${INSPECTOR_GZIP} -9nc ${packaging}/changelog > ${generated}/changelog.gz
  DEPENDS ${packaging}/changelog
  COMMENT "Compressing the changelog")
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${packaging}/copyright ${generated}/changelog.gz
        DESTINATION ${docdir})
install(FILES ${PROJECT_SOURCE_DIR}/server/README.md DESTINATION ${docdir} RENAME README.server.md)

add_custom_target(inspector_install_files ALL DEPENDS ${generated_files} ${man_pages} ${generated}/changelog.gz)

# The sync server's service: the unit names the installed program, the
# environment file is a configuration file of the system.
if(TARGET inspector-server)
  install(CODE "set(service_source \"${packaging}/server\")\nset(service_build \"${generated}\")")
  install(CODE [[
    if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
      set(etc /etc)
    else()
      set(etc "${CMAKE_INSTALL_PREFIX}/etc")
    endif()
    set(INSPECTOR_SERVER_PROGRAM "${CMAKE_INSTALL_PREFIX}/bin/inspector-server")
    set(INSPECTOR_SERVER_ENVIRONMENT "${etc}/default/inspector-server")
    set(unit "${service_build}/inspector-server.service")
    configure_file("${service_source}/inspector-server.service.in" "${unit}" @ONLY)
    file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/lib/systemd/system" TYPE FILE FILES "${unit}")
    file(INSTALL DESTINATION "${etc}/default" TYPE FILE
         RENAME inspector-server FILES "${service_source}/inspector-server.default")
  ]])
endif()
