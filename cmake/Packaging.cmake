# What `cmake --install` puts in place, and the packages CPack makes of it:
# a Debian package for the POSIX build, a .zip for Windows.

set(CPACK_PACKAGE_NAME vardun)
set(CPACK_PACKAGE_VENDOR "The Vardun developers")
set(CPACK_PACKAGE_CONTACT "The Vardun developers <vardun@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "show, set or clear when a user account expires")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)

if(WIN32)
  # A folder to unpack anywhere: the command beside its two texts, named and
  # ended with CR LF so that any Notepad shows them as lines.
  install(TARGETS vardun RUNTIME DESTINATION .)
  foreach(text README.md LICENSE)
    get_filename_component(name ${text} NAME_WE)
    file(READ ${PROJECT_SOURCE_DIR}/${text} content)
    string(REPLACE "\n" "\r\n" content "${content}")
    file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/${name}.txt "${content}")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${text})
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${name}.txt DESTINATION .)
  endforeach()

  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME vardun-${PROJECT_VERSION}-win32)
else()
  include(GNUInstallDirs)
  set(VARDUN_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/vardun)

  # Compressed, as man and Debian expect; -n keeps the package reproducible.
  find_program(GZIP_PROGRAM gzip REQUIRED)
  set(VARDUN_MANUAL_GZ ${CMAKE_CURRENT_BINARY_DIR}/vardun.1.gz)
  add_custom_command(
    OUTPUT ${VARDUN_MANUAL_GZ}
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/docs/vardun.1
            ${CMAKE_CURRENT_BINARY_DIR}/vardun.1
    COMMAND ${GZIP_PROGRAM} -9nf ${CMAKE_CURRENT_BINARY_DIR}/vardun.1
    DEPENDS ${PROJECT_SOURCE_DIR}/docs/vardun.1
    VERBATIM)
  add_custom_target(vardun_manual ALL DEPENDS ${VARDUN_MANUAL_GZ})

  install(TARGETS vardun RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${VARDUN_MANUAL_GZ} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${VARDUN_DOC_DIR})
  # Debian keeps a package's licence under this name.
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${VARDUN_DOC_DIR} RENAME copyright)

  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION admin)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # The account database is made and edited with it.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS sqlite3)
  string(CONCAT CPACK_PACKAGE_DESCRIPTION
      "Vardun shows when one user account in an account database expires, sets\n"
      "the day on which it expires, or lets it never expire. This build works\n"
      "on a stand-in account database kept in an SQLite file.")
endif()

include(CPack)
