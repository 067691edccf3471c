# SPDX-License-Identifier: MIT
# What `cmake --install` puts on a workstation, and the Debian package made from it.
#
#   bin/                               wr-host, wr-admin, rtfconv (every executable of apps/)
#   lib/writereport/                   the plug-in and the project's shared libraries (private:
#                                      nothing else links them, so they stay off the linker path)
#   share/writereport/db/{sqlite,...}  database scripts: schema, upgrades/, procedures, demo
#   share/writereport/assist           the assistants' rule files (*.rules)
#   share/writereport/checks           the checks before signing and the critical-value items
#   share/applications, share/icons    desktop entry and icon
#   share/man/man1                     manual pages made from each program's --help
#   share/doc/writereport              README.md
#   lib/systemd/system                 wr-dicomd.service (installed disabled)
#
# The executables find the private folder through their RUNPATH ($ORIGIN/../lib/writereport),
# wr-host finds the plug-in and the scripts from its own folder (apps/wr-host/InstallLayout.h),
# so an installation works under any prefix without LD_LIBRARY_PATH. Tests, benchmarks and
# fuzz targets have no install rule and are never installed. Included after every module.
include(GNUInstallDirs)

set(WR_INSTALL_PKGLIBDIR ${CMAKE_INSTALL_LIBDIR}/writereport)
set(WR_INSTALL_PKGDATADIR ${CMAKE_INSTALL_DATADIR}/writereport)
file(RELATIVE_PATH WR_BIN_TO_PKGLIB /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${WR_INSTALL_PKGLIBDIR})
file(RELATIVE_PATH WR_BIN_TO_PKGDATA /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${WR_INSTALL_PKGDATADIR})

# Installing builds only what it installs (scripts/package builds target wr-installables),
# never the whole test suite.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

# The build targets of a folder and the folders below it.
function(wr_targets_below dir out)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub ${subdirs})
    wr_targets_below(${sub} more)
    list(APPEND targets ${more})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

set(WR_INSTALLED_TARGETS "")
foreach(area src apps)
  get_property(top_dirs DIRECTORY ${PROJECT_SOURCE_DIR} PROPERTY SUBDIRECTORIES)
  foreach(dir ${top_dirs})
    if(NOT dir MATCHES "^${PROJECT_SOURCE_DIR}/${area}/")
      continue()
    endif()
    wr_targets_below(${dir} targets)
    foreach(t ${targets})
      get_target_property(type ${t} TYPE)
      if(type STREQUAL "EXECUTABLE" AND area STREQUAL "apps")
        set_target_properties(${t} PROPERTIES INSTALL_RPATH "\$ORIGIN/${WR_BIN_TO_PKGLIB}")
        install(TARGETS ${t} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
        list(APPEND WR_INSTALLED_TARGETS ${t})
      elseif(type STREQUAL "SHARED_LIBRARY" OR type STREQUAL "MODULE_LIBRARY")
        set_target_properties(${t} PROPERTIES INSTALL_RPATH "\$ORIGIN")
        install(TARGETS ${t} LIBRARY DESTINATION ${WR_INSTALL_PKGLIBDIR} RUNTIME DESTINATION ${WR_INSTALL_PKGLIBDIR})
        list(APPEND WR_INSTALLED_TARGETS ${t})
      endif()
    endforeach()
  endforeach()
endforeach()

if(TARGET wr_hostdata)
  target_compile_definitions(wr_hostdata PRIVATE WR_INSTALL_BIN_TO_DATA="${WR_BIN_TO_PKGDATA}")
endif()
if(TARGET wr_hostapp)
  target_compile_definitions(wr_hostapp PRIVATE
    WR_INSTALL_BIN_TO_PLUGIN="${WR_BIN_TO_PKGLIB}"
    WR_INSTALL_BIN_TO_DATA="${WR_BIN_TO_PKGDATA}")
endif()

# Database scripts; the generators in tools/ stay in the source tree.
foreach(dialect sqlite postgresql sqlserver)
  if(EXISTS ${PROJECT_SOURCE_DIR}/db/${dialect})
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/db/${dialect}/ DESTINATION ${WR_INSTALL_PKGDATADIR}/db/${dialect}
      FILES_MATCHING PATTERN "*.sql" PATTERN "*.md" PATTERN "tools" EXCLUDE)
  endif()
endforeach()

# The assistants' rule files (a site adds its own beside them; see data/assist/README.md);
# their golden tables are test data and stay in the source tree.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/assist/ DESTINATION ${WR_INSTALL_PKGDATADIR}/assist
  FILES_MATCHING PATTERN "*.rules" PATTERN "*.md")
# The checks before signing and the critical-value list (a site's own copies go in the folder
# WRITEREPORT_CHECKS_DIR names, see hostdata/SignCheckReport.h); the case table is test data.
install(FILES ${PROJECT_SOURCE_DIR}/data/checks/sign-checks.rules ${PROJECT_SOURCE_DIR}/data/checks/critical-items.txt
  DESTINATION ${WR_INSTALL_PKGDATADIR}/checks)

# Desktop entry and icon (the PNG sizes are rendered from the SVG by apps/wr-host/data/render-icons).
set(WR_APP_DATA ${PROJECT_SOURCE_DIR}/apps/wr-host/data)
install(FILES ${WR_APP_DATA}/writereport.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${WR_APP_DATA}/icons/writereport.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
file(GLOB WR_ICON_PNGS ${WR_APP_DATA}/icons/writereport-*.png)
foreach(png ${WR_ICON_PNGS})
  string(REGEX REPLACE ".*writereport-([0-9]+)\\.png$" "\\1" size ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME writereport.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/writereport)
# The DICOM receiver's service unit; no maintainer script enables or starts it.
if(TARGET wr-dicomd)
  install(FILES ${PROJECT_SOURCE_DIR}/apps/wr-dicomd/wr-dicomd.service DESTINATION lib/systemd/system)
endif()

# Manual pages made from --help, so the options are written down in one place: the program.
set(WR_MAN_PAGES "")
foreach(program wr-host wr-admin rtfconv wr-dicomd)
  if(TARGET ${program})
    set(page ${CMAKE_BINARY_DIR}/man/${program}.1)
    add_custom_command(OUTPUT ${page}
      COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
              ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${program}> -DNAME=${program}
              -DVERSION_HEADER=${WR_VERSION_DIR}/wr_version.h -DOUTPUT=${page}
              -P ${CMAKE_CURRENT_LIST_DIR}/WriteReportManPage.cmake
      DEPENDS ${program} ${CMAKE_CURRENT_LIST_DIR}/WriteReportManPage.cmake
      COMMENT "Manual page of ${program}"
      VERBATIM)
    list(APPEND WR_MAN_PAGES ${page})
    install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endif()
endforeach()
add_custom_target(wr-manpages ALL DEPENDS ${WR_MAN_PAGES})

# Everything the install rules need, and nothing else.
add_custom_target(wr-installables)
add_dependencies(wr-installables wr-manpages ${WR_INSTALLED_TARGETS})

# ---- Debian package (scripts/package) ----
# CPack builds it from the install rules above, so the package holds exactly what
# `cmake --install` does; README "Installing on workstations" says why not debhelper.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME writereport)
set(CPACK_PACKAGE_VENDOR "WriteReport")
set(CPACK_PACKAGE_CONTACT "WriteReport maintainers <writereport@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Ultrasound examination report editor (WriteReport) for workstations")
set(CPACK_PACKAGE_DESCRIPTION "The report editor plug-in of an ultrasound examination workstation and its host\nwr-host, with the embedded demo database, the SQL Server scripts and rtfconv.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# Libraries the programs link (Qt, SQLite, libc, ...) are found by dpkg-shlibdeps; what they
# load at run time is named here: the window system plug-in, the two SQL drivers, the ODBC
# manager and the CJK fonts. The FreeTDS ODBC driver reaches SQL Server without Microsoft's.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CPACK_PACKAGING_INSTALL_PREFIX}/${WR_INSTALL_PKGLIBDIR})
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6sql6-sqlite, libqt6sql6-odbc, unixodbc, fonts-noto-cjk")
# Chinese input: the Qt 6 frontend of fcitx5, or ibus (whose Qt 6 frontend comes with Qt).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "tdsodbc, fcitx5-frontend-qt6 | ibus")
# The package version is the version the built programs carry (read from wr_version.h when
# cpack runs, so a commit after configuring is not missed).
set(CPACK_WR_VERSION_HEADER ${WR_VERSION_DIR}/wr_version.h)
set(CPACK_WR_SOURCE_DIR ${PROJECT_SOURCE_DIR})
set(CPACK_WR_BASE_VERSION ${PROJECT_VERSION})
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/WriteReportCPackVersion.cmake)
include(CPack)
